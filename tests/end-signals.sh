#!/usr/bin/env bash
# Ctrl+C (SIGINT) or a kill (SIGTERM) ends the game within seconds, also while its
# full-screen question waits for an answer, and the end is a clean one (exit value 0).
set -u
game=$1
images=$2
name=end-signals
. "$(dirname "$0")/window-checks.sh"

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x
for signal in INT TERM; do
    launch_until_asked "$game"
    kill -s "$signal" "$pid"
    await_end 10 "SIG$signal at the question: still running 10 s later"
    [ "$status" = 0 ] || fail "SIG$signal at the question: exit value $status"
done
echo "$name: SIGINT and SIGTERM at the question each ended the game with 0"
