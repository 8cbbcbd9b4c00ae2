#!/usr/bin/env bash
# Times yerbalis-admin's CSV import and export on a 1,000,000-record reference
# table (keys in random order, memos with commas, quotes and line breaks).
#   bash bench/bench_csv.sh [BUILD_DIR] [RECORDS] [ROUNDS]
# Each of ROUNDS (3 unless given) rounds imports the same CSV with
# yerbalis-admin and, for comparison, with the sqlite3 shell's .import plus an
# index on the key, one right after the other, so that both meet the same load
# of the machine; then it exports the table. Prints the median over the rounds:
#   BENCH import_1m_s, BENCH export_1m_s, BENCH sqlite3_import_1m_s (seconds),
#   RATIO import_vs_sqlite3 (the ratio of the two import medians),
# and the processor time (user + system) of both imports with its ratio
# (BENCH import_1m_cpu_s, BENCH sqlite3_import_1m_cpu_s, RATIO
# import_vs_sqlite3_cpu), which a busy machine disturbs less than the elapsed
# time. "LOAD" lines give the machine's load before and after.
set -euo pipefail
build=${1:-build}
records=${2:-1000000}
rounds=${3:-3}
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

echo "LOAD before: $(uptime)"
# "elapsed cpu" of a command, in seconds. Each run starts with the disk written
# out, so that no run pays for the one before.
timed() {
  local TIMEFORMAT='%R %U %S' t
  sync
  t=$( { time "$@" > /dev/null; } 2>&1 | tail -n 1)
  awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%.2f %.2f", a[1], a[2] + a[3] }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

have_sqlite3=1
command -v sqlite3 > /dev/null || { have_sqlite3=0; echo "bench_csv: sqlite3 is not installed; no comparison" >&2; }
: > "$work/imp" ; : > "$work/exp" ; : > "$work/ref"
for ((r = 1; r <= rounds; r++)); do
  rm -rf "$work/db" "$work/ref.db"
  "$admin" create "$work/db" > /dev/null
  timed "$admin" import "$work/db" Cosmetic "$work/in.csv" >> "$work/imp"; echo >> "$work/imp"
  if [ "$have_sqlite3" = 1 ]; then
    timed sqlite3 "$work/ref.db" ".import --csv $work/in.csv cosmetic" \
      'CREATE INDEX cosmetic_key ON cosmetic("Producto Cosmetico")' >> "$work/ref"
    echo >> "$work/ref"
    # Both imports must hold every record, or the figures compare nothing.
    for n in "$(sqlite3 "$work/ref.db" 'SELECT count(*) FROM cosmetic')" \
             "$(sqlite3 "$work/db/Cosmetic.DB" 'SELECT count(*) FROM records')"; do
      [ "$n" = "$records" ] || { echo "bench_csv: $n records imported, not $records" >&2; exit 1; }
    done
  fi
  timed "$admin" export "$work/db" Cosmetic "$work/out.csv" >> "$work/exp"; echo >> "$work/exp"
  echo "round $r: import $(tail -n 1 "$work/imp") export $(tail -n 1 "$work/exp")" \
       "sqlite3 $(tail -n 1 "$work/ref" 2> /dev/null) (elapsed and cpu seconds)" >&2
done

imp=$(cut -d' ' -f1 "$work/imp" | median)
impcpu=$(cut -d' ' -f2 "$work/imp" | median)
echo "BENCH import_1m_s $imp"
echo "BENCH export_1m_s $(cut -d' ' -f1 "$work/exp" | median)"
echo "BENCH import_1m_cpu_s $impcpu"
if [ "$have_sqlite3" = 1 ]; then
  ref=$(cut -d' ' -f1 "$work/ref" | median)
  refcpu=$(cut -d' ' -f2 "$work/ref" | median)
  echo "BENCH sqlite3_import_1m_s $ref"
  echo "BENCH sqlite3_import_1m_cpu_s $refcpu"
  awk -v a="$imp" -v b="$ref" 'BEGIN { printf "RATIO import_vs_sqlite3 %.2f\n", a / b }'
  awk -v a="$impcpu" -v b="$refcpu" 'BEGIN { printf "RATIO import_vs_sqlite3_cpu %.2f\n", a / b }'
fi
echo "LOAD after: $(uptime)"
