#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the ordinary build, the same
# suite built with AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz
# targets for a bounded time, the Debian package built and checked, and the
# end-to-end run of the real program; the store's tests and one end-to-end run
# go a second time on a private PostgreSQL server (scripts/pg.sh). The ordinary tests and the end-to-end run
# go once in C.UTF-8 and once in the Spanish shops' es_ES.UTF-8, so that no date
# or time form is taken for granted.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
locales=(C.UTF-8 es_ES.UTF-8)
export LANG=C.UTF-8 LC_ALL=C.UTF-8

echo "== layers"
bash scripts/check_layers.sh

echo "== build and tests"
bash scripts/build.sh
# After the build: it installs clang-format with the rest of the tests' packages.
echo "== format"
bash scripts/check_format.sh
# A private PostgreSQL server for the whole run (a Unix socket, no TCP port),
# stopped and removed at the end whatever happens.
echo "== PostgreSQL test server"
bash scripts/pg.sh start
trap 'bash scripts/pg.sh stop' EXIT
eval "$(bash scripts/pg.sh env)"
for l in "${locales[@]}"; do
  echo "== tests in $l"
  LANG=$l LC_ALL=$l ctest --test-dir "${YERBALIS_BUILD_DIR:-build}" --output-on-failure -j2 -LE e2e
done
# The store's tests and the engine's, once more on the server instead of table files.
echo "== store tests on PostgreSQL"
YERBALIS_TEST_DATABASE=$YERBALIS_PG_TEST_SERVER \
  ctest --test-dir "${YERBALIS_BUILD_DIR:-build}" --output-on-failure -j2 -R '^(test_store|test_engine|test_robustness)$'

echo "== build and tests with sanitizers"
YERBALIS_BUILD_DIR=build-asan bash scripts/build.sh -DYERBALIS_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j2 -L sanitizer --no-tests=error

echo "== fuzzing"
bash scripts/fuzz.sh "${YERBALIS_FUZZ_SECONDS:-30}"

echo "== package"
bash scripts/package.sh >/dev/null
bash tests/package/check.sh

build=$(realpath "${YERBALIS_BUILD_DIR:-build}")
for l in "${locales[@]}"; do
  echo "== end-to-end in $l"
  LANG=$l LC_ALL=$l E2E_SHOTS=$build/e2e-shots-${l%%.*} \
    ctest --test-dir "$build" -L e2e --no-tests=error --output-on-failure
done
# Once more on the server, as a shop's second till would run it.
echo "== end-to-end on PostgreSQL, till 2, in es_ES.UTF-8"
LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 E2E_SHOTS=$build/e2e-shots-pg E2E_TILL=2 \
  E2E_DATABASE="postgresql:///yerbalis_e2e_$$?host=$YERBALIS_PG_DIR&user=yerbalis_test" \
  ctest --test-dir "$build" -L e2e --no-tests=error --output-on-failure
