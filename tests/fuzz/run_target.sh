#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time (seconds: $YERBALIS_FUZZ_SECONDS,
# default 30) on a copy of its seed corpus; on failure shows the end of its log
# and keeps the inputs that made it fail in FINDINGS_DIR, named after the target.
#   run_target.sh FUZZER CORPUS_DIR [FINDINGS_DIR]
set -euo pipefail
fuzzer=$1
corpus=$2
findings=${3:-findings}
seconds=${YERBALIS_FUZZ_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
cp -r "$corpus/." "$work/corpus/"
echo "== $(basename "$fuzzer") for ${seconds}s"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" \
  > "$work/log" 2>&1 || status=1
if [ $status -ne 0 ]; then
  tail -40 "$work/log"
  mkdir -p "$findings"
  for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*; do
    [ -e "$f" ] || continue
    kept="$findings/$(basename "$fuzzer")-$(basename "$f")"
    cp "$f" "$kept"
    echo "finding kept: $(realpath "$kept") (reproduce: $fuzzer $(realpath "$kept"))"
  done
  cp "$work/log" "$findings/$(basename "$fuzzer").log"
fi
grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
exit $status
