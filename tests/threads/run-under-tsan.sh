#!/usr/bin/env bash
# Runs a ThreadSanitizer program. Where the kernel lays memory out more randomly than
# this ThreadSanitizer can map ("unexpected memory mapping"), it runs again with the
# layout fixed for that one process; where even that is refused (a container that
# forbids it), the check cannot run here and says so with the skip status, 77.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [ARGS...]" >&2; exit 2; }
readonly kSkipped=77
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$@" >"$output" 2>&1
status=$?
if [ "$status" -ne 0 ] && grep -q "unexpected memory mapping" "$output"; then
    echo "ThreadSanitizer cannot map this kernel's layout: running again with it fixed" >&2
    if ! setarch "$(uname -m)" -R true 2>"$output"; then
        echo "skipped: the layout cannot be fixed here either: $(cat "$output")" >&2
        exit "$kSkipped"
    fi
    setarch "$(uname -m)" -R "$@"
    exit $?
fi
cat "$output"
exit "$status"
