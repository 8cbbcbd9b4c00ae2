#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds, default 30) on a copy of the seed corpus in tests/fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${YERBALIS_FUZZ_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DYERBALIS_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_int fuzz_table fuzz_csv fuzz_paradox
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in int table csv paradox; do
  mkdir -p "$work/$target"
  cp -r "tests/fuzz/corpus/$target/." "$work/$target/"
  echo "== fuzz_$target for ${seconds}s"
  if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$work/" "$work/$target" > "$work/$target.log" 2>&1; then
    tail -40 "$work/$target.log"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$work/$target.log" || true
done
exit $status
