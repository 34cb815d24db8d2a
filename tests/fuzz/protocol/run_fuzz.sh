#!/bin/sh
# Runs the fuzz target for a bounded time on a fresh copy of the seed corpus.
# Usage: run_fuzz.sh <fuzzer> <seed dir> <work dir> <seconds>
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
status=0
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
"$fuzzer" -max_total_time="$seconds" -max_len=2048 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" || status=$?
if [ -n "$(ls -A "$work/artifacts")" ]; then
    echo "findings in $work/artifacts:" >&2
    ls -l "$work/artifacts" >&2
    exit 1
fi
exit $status
