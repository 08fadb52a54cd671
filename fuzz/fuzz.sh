#!/bin/sh
# fuzz.sh FUZZER SEEDS FINDINGS: runs a libFuzzer target for FUZZ_SECONDS seconds
# (20 unless set), starting from the seed files in SEEDS, which it never changes.
# An input that makes it fail is kept in FINDINGS, and its path printed.
set -eu
fuzzer=$1 seeds=$2 findings=$3
seconds=${FUZZ_SECONDS:-20}
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/corpus"
if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work/corpus" "$seeds" >"$work/log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$work/log" || true
    exit 0
fi
tail -n 60 "$work/log"
kept=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$work/log" | tail -n 1)
echo "$(basename "$fuzzer") failed; the input is kept in: ${kept:-(none written; see above)}"
exit 1
