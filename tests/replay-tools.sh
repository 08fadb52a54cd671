#!/usr/bin/env bash
# What tessaro-verify and tessaro-watch say to a player: --help, and plainly what is
# wrong with a file they cannot read, with their exit values. Neither opens a window.
#   replay-tools.sh VERIFY WATCH REPLAY
set -u
[ $# -eq 3 ] || { echo "usage: $0 VERIFY WATCH REPLAY" >&2; exit 2; }
verify=$1
watch=$2
replay=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "replay-tools: $*" >&2; failures=$((failures + 1)); }

# expect STATUS TEXT COMMAND...: the command exits with STATUS and prints TEXT, out or error.
expect() {
    local status=$1 text=$2 said got=0
    shift 2
    said=$("$@" 2>&1) || got=$?
    [ "$got" = "$status" ] || fail "$* exited with $got, not $status: $said"
    [[ "$said" == *"$text"* ]] || fail "$* did not say \"$text\": $said"
}

mkdir "$work/folder"
ln -s loop "$work/loop"
missing="$work/none.tsr"

for program in "$verify" "$watch"; do
    name=$(basename "$program")
    expect 0 "usage: $name FILE" "$program" --help
    expect 2 "usage: $name FILE" "$program"
done
expect 0 "exits with 0 only when every file agrees" "$verify" --help
expect 0 "at the speed it was played" "$watch" --help

expect 1 "$missing: error: does not exist" "$verify" "$missing"
expect 1 "$work/folder: error: is a folder, not a replay" "$verify" "$work/folder"
expect 1 "$work/loop: error: cannot open $work/loop: Too many levels of symbolic links" "$verify" "$work/loop"
# One file that cannot be read fails the run, and the others are still verified.
expect 1 "$replay: recorded total" "$verify" "$missing" "$replay"
expect 0 ": agrees" "$verify" "$replay"

expect 1 "tessaro-watch: $missing: does not exist" "$watch" "$missing"
# An address that names no round is a usage error, told before anything is fetched.
expect 2 "http://127.0.0.1:1/ranking is not the address of a ranked round" "$watch" http://127.0.0.1:1/ranking
expect 1 "tessaro-watch: $work/folder: is a folder, not a replay" "$watch" "$work/folder"
expect 1 "tessaro-watch: $work/loop: cannot open $work/loop: Too many levels of symbolic links" "$watch" "$work/loop"

[ "$failures" -eq 0 ] || exit 1
echo "replay-tools: help, usage, a missing file, a folder, an unreadable link and an address of no round said plainly"
