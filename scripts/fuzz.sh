#!/usr/bin/env bash
# fuzz.sh <fuzzer> <seed folder> <seconds>: runs a libFuzzer target for a bounded time from the seeds the
# tests wrote; any crash, leak, sanitizer report or input that takes over 20 s (a freeze for the user) fails it
# and leaves the input beside the corpus.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
work=$(dirname "$fuzzer")/fuzz-run-$(basename "$fuzzer")
rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp "$seeds"/* "$work/corpus/" 2>/dev/null || true
echo "Fuzzing $(basename "$fuzzer") for ${seconds}s from $(ls "$work/corpus" | wc -l) seeds"
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 "$fuzzer" -max_total_time="$seconds" -max_len=65536 \
  -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" 2>"$work/log" || {
  tail -n 60 "$work/log"; echo "fuzzing found a fault; the input is in $work/artifacts"; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$work/log" || tail -n 3 "$work/log"
