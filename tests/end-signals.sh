#!/usr/bin/env bash
# Ctrl+C (SIGINT) or a kill (SIGTERM) ends the game within seconds, also while its
# full-screen question waits for an answer: cleanly (exit value 0) through SDL's
# handler, or by the signal itself where SDL was told to leave signals alone.
set -u
game=$1
images=$2
name=end-signals
. "$(dirname "$0")/window-checks.sh"

# Starts the game with the environment given after the signal, signals it at its
# question, and expects it to end with the exit value given.
expect_end() {
    local signal=$1 expected=$2
    shift 2
    launch_until_asked env "$@" "$game"
    kill -s "$signal" "$pid"
    await_end 10 "SIG$signal at the question (${*:-SDL handling them}): still running 10 s later"
    [ "$status" = "$expected" ] || fail "SIG$signal at the question (${*:-SDL handling them}): exit value $status, not $expected"
}

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x
expect_end INT 0
expect_end TERM 0
# 128 + 15: ended by SIGTERM's default action.
expect_end TERM 143 SDL_NO_SIGNAL_HANDLERS=1
echo "$name: SIGINT and SIGTERM at the question ended the game with 0, and by the signal without SDL's handlers"
