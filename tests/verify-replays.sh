#!/usr/bin/env bash
# The recorded rounds under tests/replays verify to the totals they were recorded
# with, and every build prints the same: verify-replays.sh COMMAND... runs the given
# tessaro-verify (a native program, "wine64 X.exe", "node X.js") on them.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 VERIFY-COMMAND..." >&2; exit 2; }
cd "$(dirname "$0")/replays"
status=0
output=$("$@" *.tsr | tr -d '\r') || status=$?
if [ "$status" -ne 0 ] || [ "$output" != "$(cat expected.txt)" ]; then
    echo "replays verified differently by: $*" >&2
    diff <(echo "$output") expected.txt >&2 || true
    exit 1
fi
echo "$output"
