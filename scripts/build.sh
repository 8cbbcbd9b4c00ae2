#!/usr/bin/env bash
# Configures and builds into ./build (or $YERBALIS_BUILD_DIR): everything, with
# compiler warnings as errors (the test command's builds), or with --program
# only the program and its companion tool, where warnings stay warnings. Other
# arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
if [ "${1:-}" = "--program" ]; then
  shift
  bash scripts/deps.sh
  targets=(--target yerbalis yerbalis-admin)
  werror=OFF
else
  bash scripts/deps.sh --test
  werror=ON
fi
build=${YERBALIS_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYERBALIS_WERROR=$werror "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
