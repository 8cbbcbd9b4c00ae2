#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time (seconds: $YERBALIS_FUZZ_SECONDS,
# default 30) on a copy of its seed corpus; on failure shows the end of its log.
#   run_target.sh FUZZER CORPUS_DIR
set -euo pipefail
fuzzer=$1
corpus=$2
seconds=${YERBALIS_FUZZ_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
cp -r "$corpus/." "$work/corpus/"
echo "== $(basename "$fuzzer") for ${seconds}s"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" \
  > "$work/log" 2>&1 || status=1
[ $status -eq 0 ] || tail -40 "$work/log"
grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
exit $status
