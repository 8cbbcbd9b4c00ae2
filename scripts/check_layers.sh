#!/usr/bin/env bash
# Checks the layers of the program: a folder includes only its own headers and
# those of the folders below it. Names every include that reaches upwards.
#
#   app                          the top: registry, start-up, the menu and the shell's screens
#   reference  people  shop      the data screens (people uses reference's browser design)
#   shell  printing              services every screen uses; the printing convention
#   controls                     data source and data-bound controls
#   store  paradox               tables and their engines; the old Paradox reader
#
# tools/ (the companion command) may use store and paradox only; its benchmark
# programs may use anything.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
  [store]="store"
  [paradox]="paradox store"
  [controls]="controls store"
  [printing]="printing store"
  [shell]="shell controls store"
  [reference]="reference shell printing controls store"
  [people]="people reference shell printing controls store"
  [shop]="shop shell printing controls store"
  [app]="app reference people shop shell printing controls store paradox"
  [tools]="tools store paradox"
)
fail=0
check() { # folder-name files...
  local layer=$1; shift
  local f inc dir
  for f in "$@"; do
    while IFS= read -r inc; do
      dir=${inc%%/*}
      [ "$dir" = "$inc" ] && continue            # a header of its own folder or a generated one
      [ "$layer" = tools ] && [ "$dir" = src ] && dir=$(echo "$inc" | cut -d/ -f2)
      if ! [[ " ${allowed[$layer]} " == *" $dir "* ]]; then
        echo "layer violation: $f includes \"$inc\" ($layer may include: ${allowed[$layer]})" >&2
        fail=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$f")
  done
}
for layer in store paradox controls printing shell reference people shop app; do
  [ -d "src/$layer" ] || continue
  mapfile -t files < <(find "src/$layer" -name '*.h' -o -name '*.cpp')
  check "$layer" "${files[@]}"
done
for d in src/*/; do
  d=${d%/}; d=${d#src/}
  [ -n "${allowed[$d]+x}" ] || { echo "layer check: src/$d is in no layer; add it to scripts/check_layers.sh" >&2; fail=1; }
done
mapfile -t files < <(find tools -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) ! -name 'bench_*')
check tools "${files[@]}"
[ $fail -eq 0 ] && echo "layers: every include stays in its layer or below"
exit $fail
