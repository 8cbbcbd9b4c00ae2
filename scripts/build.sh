#!/usr/bin/env bash
# Configures and builds into ./build (or $YERBALIS_BUILD_DIR): everything, or
# with --program only the program and its companion tool. Other arguments go
# to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
if [ "${1:-}" = "--program" ]; then
  shift
  bash scripts/deps.sh
  targets=(--target yerbalis yerbalis-admin)
else
  bash scripts/deps.sh --test
fi
build=${YERBALIS_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
