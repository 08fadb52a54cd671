#!/usr/bin/env bash
# tessaro-watch in a real window under Xvfb: a damaged replay is refused with its
# name; a good one opens straight into its round (no full-screen question) under a
# title naming its player, on the green field, and Escape ends it early with 0 and says so.
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

# The viewer's window: its title is the game's and more, so it is found by its start.
replay_window() { xdotool search --name '^Tessaro replay: ' 2>/dev/null | head -n 1 | grep .; }

# Shows SOURCE, checks the window's title and round, and ends it early with Escape.
expect_watched_until_escape() {
    local source=$1 title=$2 seen
    (cd "$work" && SDL_VIDEODRIVER=x11 exec "$watch" "$source" > "$work/said") &
    pid=$!
    await replay_window || fail "no replay window for $source"
    window=$(replay_window)
    seen=$(xdotool getwindowname "$window")
    [ "$seen" = "$title" ] || fail "the window of $source is titled \"$seen\", not \"$title\""
    await_share "$window" 'rgb(20,148,17)' "" 15% 0.6 "the round of $source was not shown"
    named '質問' && fail "the viewer asked the full-screen question"
    expect_escape_ends_it
    [ "$(cat "$work/said")" = "ACE: stopped early" ] || fail "Escape on $source ended with: $(cat "$work/said")"
}

start_x
expect_watched_until_escape "$replay" "Tessaro replay: ACE"

echo "watch-smoke: a cut replay refused by name, a good one shown at once under its title, Escape ended it with 0"
