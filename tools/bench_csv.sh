#!/usr/bin/env bash
# Times yerbalis-admin's CSV import and export on a 1,000,000-record reference
# table (keys in random order, memos with commas, quotes and line breaks).
#   bash tools/bench_csv.sh [BUILD_DIR] [RECORDS]
# Prints "BENCH import_1m_s <seconds>" and "BENCH export_1m_s <seconds>".
set -euo pipefail
build=${1:-build}
records=${2:-1000000}
admin="$build/tools/yerbalis-admin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$records" 'BEGIN {
  split("al be ca ña do ré mi sol za lú to ga ve ro quí ne pa ti llo cha", s, " ");
  srand(1);
  printf "Producto Cosmetico,Indicaciones,Modo Empleo\r\n";
  for (i = 0; i < n; i++) {
    k = ""; m = 2 + int(rand() * 4);
    for (j = 0; j < m; j++) k = k s[1 + int(rand() * 20)];
    printf "%s %d,\"Aplicar sobre la piel limpia, dos veces al día.\",\"Masajear \"\"suavemente\"\"\nhasta su absorción.\"\r\n", toupper(substr(k, 1, 1)) substr(k, 2), i;
  }
}' > "$work/in.csv"

"$admin" create "$work/db" > /dev/null
seconds() { local t0 t1; t0=$(date +%s.%N); "$@" > /dev/null; t1=$(date +%s.%N); awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }'; }
imp=$(seconds "$admin" import "$work/db" Cosmetic "$work/in.csv")
exp=$(seconds "$admin" export "$work/db" Cosmetic "$work/out.csv")
echo "BENCH import_1m_s $imp"
echo "BENCH export_1m_s $exp"
