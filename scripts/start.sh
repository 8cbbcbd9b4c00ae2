#!/usr/bin/env bash
# Builds the program (and its companion tool, not the tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --program
exec "${YERBALIS_BUILD_DIR:-build}/src/app/yerbalis"
