#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the ordinary build, the same
# suite built with AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a bounded time, the Debian package built and checked, and the
# end-to-end run of the real program.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

echo "== build and tests"
bash scripts/build.sh
ctest --test-dir "${YERBALIS_BUILD_DIR:-build}" --output-on-failure -j2

echo "== build and tests with sanitizers"
YERBALIS_BUILD_DIR=build-asan bash scripts/build.sh -DYERBALIS_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j2

echo "== fuzzing"
bash scripts/fuzz.sh "${YERBALIS_FUZZ_SECONDS:-30}"

echo "== package"
bash scripts/package.sh >/dev/null
bash tests/package/check.sh

if [ -f tests/e2e/run.sh ]; then
  echo "== end-to-end"
  bash tests/e2e/run.sh
fi
