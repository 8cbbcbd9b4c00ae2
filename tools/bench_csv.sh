#!/usr/bin/env bash
# Times yerbalis-admin's CSV import and export on a 1,000,000-record reference
# table (keys in random order, memos with commas, quotes and line breaks).
#   bash tools/bench_csv.sh [BUILD_DIR] [RECORDS]
# Prints "BENCH import_1m_s <seconds>" and "BENCH export_1m_s <seconds>"; then,
# for comparison on the same CSV in the same run, the sqlite3 shell's .import
# plus an index on the key ("BENCH sqlite3_import_1m_s <seconds>") and the ratio
# of the two imports ("RATIO import_vs_sqlite3 <ratio>").
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
# Each run starts with the disk written out, so that no run pays for the one before.
seconds() { local t0 t1; sync; t0=$(date +%s.%N); "$@" > /dev/null; t1=$(date +%s.%N); awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }'; }
imp=$(seconds "$admin" import "$work/db" Cosmetic "$work/in.csv")
exp=$(seconds "$admin" export "$work/db" Cosmetic "$work/out.csv")
echo "BENCH import_1m_s $imp"
echo "BENCH export_1m_s $exp"
if command -v sqlite3 > /dev/null; then
  ref=$(seconds sqlite3 "$work/ref.db" ".import --csv $work/in.csv cosmetic" \
    'CREATE INDEX cosmetic_key ON cosmetic("Producto Cosmetico")')
  # Both imports must hold every record, or the figures compare nothing.
  for n in "$(sqlite3 "$work/ref.db" 'SELECT count(*) FROM cosmetic')" \
           "$(sqlite3 "$work/db/Cosmetic.DB" 'SELECT count(*) FROM records')"; do
    [ "$n" = "$records" ] || { echo "bench_csv: $n records imported, not $records" >&2; exit 1; }
  done
  echo "BENCH sqlite3_import_1m_s $ref"
  awk -v a="$imp" -v b="$ref" 'BEGIN { printf "RATIO import_vs_sqlite3 %.2f\n", a / b }'
else
  echo "bench_csv: sqlite3 is not installed; no comparison" >&2
fi
