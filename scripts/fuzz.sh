#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds, default 30) on a copy of the seed corpus in tests/fuzz/corpus,
# one after another, as the CTest tests with the label fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
export YERBALIS_FUZZ_SECONDS=${1:-${YERBALIS_FUZZ_SECONDS:-30}}
build=${YERBALIS_FUZZ_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DYERBALIS_FUZZ=ON -DYERBALIS_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_int fuzz_table fuzz_csv fuzz_paradox
ctest --test-dir "$build" -L fuzz --no-tests=error --output-on-failure --timeout $((YERBALIS_FUZZ_SECONDS + 600))
