#!/usr/bin/env bash
# tessaro-watch in a real window under Xvfb: a damaged replay is refused with its
# name; a good one is shown as its round, on the green field, and Escape ends it.
# Usage: watch-smoke.sh WATCH IMAGES REPLAY
set -u
watch=$(realpath "$1")
images=$(realpath "$2")
replay=$(realpath "$3")
name=watch-smoke
. "$(dirname "$0")/window-checks.sh"

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
head -c 100 "$replay" > "$work/cut.tsr"
said=$(cd "$work" && "$watch" cut.tsr 2>&1) && fail "a cut replay was shown"
case "$said" in
    *"cut.tsr: damaged"*) ;;
    *) fail "a cut replay was refused without naming it: $said" ;;
esac

start_x
launch_until_asked "$watch" "$replay"
xdotool key --window "$(named '質問')" Escape 2>/dev/null
await named Tessaro || fail "no window titled Tessaro"
window=$(named Tessaro)
await_share "$window" 'rgb(20,148,17)' "" 15% 0.6 "the round was not shown"
expect_escape_ends_it
echo "watch-smoke: a cut replay refused by name, a good one shown in the window, Escape ended it with 0"
