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
# tools/ (the companion command) may use store and paradox only; bench/ (the
# benchmarks and their delaying proxy) sits above everything and may use any
# layer, the companion command's included.
#
# The engine boundary: each folder under src/store/ is an engine, and only that
# folder includes its library's header (sqlite3.h, libpq-fe.h) or one of its
# own headers, with "..." or <...>, anywhere in src/, tools/, bench/ and tests/. The
# few files that must reach an engine directly are named below with why.
#
#   check_layers.sh [ROOT]   checks the tree at ROOT (default: this repository)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
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
  [bench]="bench app reference people shop shell printing controls store paradox tools"
)
declare -A library=([sqlite]="sqlite3.h" [postgres]="libpq-fe.h")
# A file outside an engine's folder, then the engine headers it may include.
exceptions=(
  # the benchmarks' baseline rounds and bulk fills, straight through the engines' libraries
  "bench/bench_main.cpp sqlite3.h"
  "bench/bench_screens.cpp sqlite3.h"
  "bench/bench_pg.cpp libpq-fe.h store/postgres/PgEngine.h"
  # the network benchmark: a scratch database on the server and the engine's round-trip counter
  "bench/bench_network.cpp libpq-fe.h store/postgres/PgEngine.h store/postgres/PgConnection.h"
  # tests that damage a table on purpose (the engine suite on either engine)
  "tests/store/test_engine.cpp sqlite3.h libpq-fe.h"
  "tests/store/test_store.cpp sqlite3.h"
  "tests/app/test_shell.cpp sqlite3.h"
  "tests/shop/tst_shop.cpp sqlite3.h"
  # the server tests: fresh databases made and dropped on the test server, the engine's own tests
  "tests/store/TestDatabase.h libpq-fe.h store/postgres/PgEngine.h"
  "tests/store/test_pg_engine.cpp libpq-fe.h store/postgres/PgEngine.h"
  "tests/tools/test_tools.cpp sqlite3.h store/postgres/PgEngine.h"
  # the till over a network: a scratch database, and the engine's round-trip counter
  "tests/shop/test_network.cpp libpq-fe.h store/postgres/PgEngine.h store/postgres/PgConnection.h"
)
fail=0
includes() { # file: one line per include, "path or <path
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\(["<]\)\([^">]*\)[">].*/\1\2/p' "$1"
}
check() { # folder-name files...
  local layer=$1; shift
  local f inc dir
  for f in "$@"; do
    while IFS= read -r inc; do
      local kind=${inc:0:1}; inc=${inc:1}
      dir=${inc%%/*}
      [ "$dir" = "$inc" ] && continue            # a header of its own folder or a generated one
      { [ "$layer" = tools ] || [ "$layer" = bench ]; } && [ "$dir" = src ] && dir=$(echo "$inc" | cut -d/ -f2)
      # <...> names a folder of this program only when it is a layer's
      [ "$kind" = "<" ] && [ -z "${allowed[$dir]+x}" ] && continue
      if ! [[ " ${allowed[$layer]} " == *" $dir "* ]]; then
        echo "layer violation: $f includes \"$inc\" ($layer may include: ${allowed[$layer]})" >&2
        fail=1
      fi
    done < <(includes "$f")
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
for layer in tools bench; do
  [ -d "$layer" ] || continue
  mapfile -t files < <(find "$layer" \( -name '*.h' -o -name '*.cpp' \))
  check "$layer" "${files[@]}"
done

# The engine boundary.
declare -A owner=() # an engine's header (as a file name) -> its engine
for e in "${!library[@]}"; do
  owner[${library[$e]}]=$e
  [ -d "src/store/$e" ] || continue
  for h in src/store/"$e"/*.h; do [ -e "$h" ] && owner[$(basename "$h")]=$e; done
done
excepted() { # file include
  local x
  for x in "${exceptions[@]}"; do
    [[ "$x " == "$1 "* ]] && [[ " ${x#* } " == *" $2 "* ]] && return 0
  done
  return 1
}
mapfile -t files < <(find src tools bench tests \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
for f in "${files[@]}"; do
  while IFS= read -r inc; do
    inc=${inc:1}
    base=${inc##*/}
    e=${owner[$base]:-}
    [ -n "$e" ] || continue
    # The library's header by any path; an engine header as itself or from its folder.
    [ "$base" = "${library[$e]}" ] || [ "$inc" = "$base" ] || [[ "$inc" == "$e/$base" || "$inc" == */"$e/$base" ]] || continue
    [[ "$f" == src/store/$e/* ]] && continue
    excepted "$f" "$inc" && continue
    echo "engine boundary: $f includes $inc (only src/store/$e/ may; or name the file in scripts/check_layers.sh)" >&2
    fail=1
  done < <(includes "$f")
done
[ $fail -eq 0 ] && echo "layers: every include stays in its layer or below, and every engine's headers in its folder"
exit $fail
