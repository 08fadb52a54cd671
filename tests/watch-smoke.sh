#!/usr/bin/env bash
# tessaro-watch in a real window under Xvfb: a damaged replay is refused with its
# name; a good one opens straight into its round (no full-screen question) under a
# title naming its player, on the green field, and Escape ends it early with 0 and says
# so. Then the same round sent to a real tessaro-server on the loopback: watched from
# its address with its world rank in the title, and plain failures, with 1, for a round
# the server does not hold and a server that is gone.
# Usage: watch-smoke.sh WATCH IMAGES REPLAY SERVER SEND
set -u
watch=$(realpath "$1")
images=$(realpath "$2")
replay=$(realpath "$3")
server=$(realpath "$4")
send=$(realpath "$5")
name=watch-smoke
. "$(dirname "$0")/window-checks.sh"

server_pid=""
stop_server() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid"
    server_pid=""
}
trap 'stop_server; cleanup' EXIT

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

# expect_fetch_fails URL TEXT: the viewer exits with 1, saying TEXT, and opens no window.
expect_fetch_fails() {
    local said got=0
    said=$("$watch" "$1" 2>&1) || got=$?
    [ "$got" = 1 ] || fail "$1 exited with $got, not 1: $said"
    [[ "$said" == *"cannot fetch $1: $2"* ]] || fail "$1 did not say \"$2\": $said"
}

start_x
expect_watched_until_escape "$replay" "Tessaro replay: ACE"

# The server prints where it listens on its first line; it takes any free port.
"$server" --listen 127.0.0.1:0 --database "$work/ranking.sqlite" > "$work/server.out" 2>/dev/null &
server_pid=$!
await grep -q "listening on" "$work/server.out" || fail "the server did not start"
origin=$(sed -n '1s|^tessaro-server: listening on \(http://127.0.0.1:[0-9]*\)/.*|\1|p' "$work/server.out")
ranked=$("$send" "$origin" "$replay") || fail "the round was not ranked: $ranked"
page=${ranked##*: }
[ "$page" = "$origin/rounds/1" ] || fail "the round was ranked at $page"

expect_watched_until_escape "$page" "Tessaro replay: ACE (world rank 1 of 1)"
for missing in "$origin/rounds/9" "$origin/api/rounds/9" "$origin/api/rounds/9/replay"; do
    expect_fetch_fails "$missing" "the world ranking answered 404: no ranked round has the number 9"
done
stop_server
expect_fetch_fails "$page" "cannot reach the world ranking"
echo "watch-smoke: a cut replay refused by name; a file and a ranked round's address shown at once under their" \
    "titles, Escape ended each with 0; a missing round and a stopped server refused with 1"
