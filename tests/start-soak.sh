#!/usr/bin/env bash
# Starts the real program many times on one X server while the test keeps every core
# busy: each start must ask its question, go on to the title when answered, and end
# with exit value 0 on Escape. A start that stalls fails with where its threads wait.
#   start-soak.sh PROGRAM IMAGES [STARTS] [SECONDS]   gives up, failing, after SECONDS
set -u
game=$(realpath "$1")
images=$2
starts=${3:-300}
limit=${4:-1800}
name=start-soak
. "$(dirname "$0")/window-checks.sh"

load=()
stop_load() { [ ${#load[@]} -gt 0 ] && kill "${load[@]}" 2>/dev/null; load=(); }
trap 'stop_load; cleanup' EXIT
for _ in $(seq "$(nproc)"); do
    sh -c 'while :; do :; done' &
    load+=($!)
done

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x
began=$(date +%s)
for n in $(seq "$starts"); do
    [ $(($(date +%s) - began)) -lt "$limit" ] || fail "only $((n - 1)) of $starts starts in $limit s"
    launch_until_asked "$game"
    xdotool key --window "$(named '質問')" Escape 2>/dev/null
    expect_title
    expect_escape_ends_it
    [ $((n % 50)) = 0 ] && echo "$name: $n starts"
done
echo "$name: $starts starts under load on $(nproc) cores in $(($(date +%s) - began)) s: each asked, showed the title and ended with 0"
