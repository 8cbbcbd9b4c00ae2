#!/usr/bin/env bash
# Five rounds of the test suite (without the end-to-end run) on a loaded
# machine: two busy loops keep both cores occupied while ctest -j2 runs,
# alternating C.UTF-8 and es_ES.UTF-8, with the private PostgreSQL server
# of scripts/pg.sh. Prints how many rounds were green and the tests that
# failed. Then, under the same load, SOAK_WINDOWS (20) runs of the program's
# windows under Xvfb and openbox (tests/e2e/windows.sh; 0 leaves them out).
# Run it after a build (scripts/build.sh) and before you stop when tests or
# timing changed; it is not part of the test command.
#   scripts/soak.sh [ROUNDS]
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
build=${YERBALIS_BUILD_DIR:-build}
[ -d "$build" ] || { echo "soak: no build in $build (bash scripts/build.sh first)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
export YERBALIS_PG_DIR=${YERBALIS_PG_DIR:-/tmp/yerbalis-soak-pg-$(id -u)}
busy=()
cleanup() {
  for p in "${busy[@]}"; do kill "$p" 2>/dev/null; done
  bash scripts/pg.sh stop >/dev/null 2>&1
}
trap cleanup EXIT
bash scripts/pg.sh start >/dev/null || exit 1
eval "$(bash scripts/pg.sh env)"
for _ in 1 2; do
  (while :; do :; done) &
  busy+=($!)
done
locales=(C.UTF-8 es_ES.UTF-8)
green=0
failed=()
for ((r = 1; r <= rounds; r++)); do
  l=${locales[$(((r - 1) % 2))]}
  log=$(mktemp)
  start=$(date +%s)
  if LANG=$l LC_ALL=$l ctest --test-dir "$build" -j2 -LE e2e --output-on-failure >"$log" 2>&1; then
    green=$((green + 1))
    echo "round $r ($l): green in $(($(date +%s) - start)) s"
  else
    # The failed CTest tests, and the test functions that failed in them.
    names=$( (sed -n 's/^[[:space:]]*[0-9]\+ - \([^ ]*\) (.*/\1/p' "$log"
              grep -o 'FAIL!  : [^ ]*' "$log" | sed 's/FAIL!  : //') | sort -u | tr '\n' ' ')
    failed+=("round $r ($l): $names")
    cp "$log" "$build/soak-round-$r.log"
    echo "round $r ($l): RED in $(($(date +%s) - start)) s: $names(log: $build/soak-round-$r.log)"
  fi
  rm -f "$log"
done
echo "soak: $green of $rounds rounds green"
for f in "${failed[@]}"; do echo "  $f"; done
windows=${SOAK_WINDOWS:-20}
windowsGreen=true
if [ "$windows" -gt 0 ]; then
  start=$(date +%s)
  if YERBALIS_BUILD_DIR=$build bash tests/e2e/windows.sh "$windows" >"$build/soak-windows.log" 2>&1; then
    echo "soak: $windows runs of the windows green in $(($(date +%s) - start)) s"
  else
    windowsGreen=false
    echo "soak: the windows' runs RED (log: $build/soak-windows.log)"
  fi
fi
[ "$green" -eq "$rounds" ] && $windowsGreen
