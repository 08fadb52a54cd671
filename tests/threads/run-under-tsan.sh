#!/usr/bin/env bash
# Runs a ThreadSanitizer program. Where the kernel lays memory out more randomly than
# this ThreadSanitizer can map ("unexpected memory mapping"), it runs again with the
# layout fixed for that one process.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [ARGS...]" >&2; exit 2; }
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$@" >"$output" 2>&1
status=$?
if [ "$status" -ne 0 ] && grep -q "unexpected memory mapping" "$output"; then
    echo "ThreadSanitizer cannot map this kernel's layout: running again with it fixed" >&2
    setarch "$(uname -m)" -R "$@"
    exit $?
fi
cat "$output"
exit "$status"
