#!/usr/bin/env bash
# The Windows program under Wine in Xvfb: it asks the full-screen question
# (answered No), shows the title in a 640 x 480 window, reads a held button, and
# ends with exit value 0 on Escape. Started without its images, it says so in a
# message box and ends with exit value 1. The third argument names the Wine loader
# (default wine; /usr/lib/wine/wine64 for a 64-bit program where wine32 may
# also be installed but cannot start).
set -u
program=$1
images=$2
loader=${3:-wine}
name=wine-smoke
. "$(dirname "$0")/window-checks.sh"

mkdir -p "$work/game/data"
cp "$program" "$work/game/"
cp "$images"/*.png "$work/game/data/"
start_x
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine starts its own helper processes through WINELOADER; Debian's wrapper sets it.
[ "$loader" = wine ] || export WINELOADER=$loader
"$loader" wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"
(cd "$work/game" && exec "$loader" "./$(basename "$program")" >/dev/null 2>&1) &
pid=$!

# Wine's boxes may take a key only once they have the focus: it is pressed until the
# box is gone, for at most 20 s.
answer() {
    local box
    for _ in $(seq 40); do
        box=$(named "$1") || return 0
        xdotool key --window "$box" "$2" 2>/dev/null
        sleep 0.5
    done
    fail "the box \"$1\" did not take $2"
}

await named '質問' || fail "the full-screen question did not appear"
answer '質問' n
expect_title
expect_start_selected
expect_escape_ends_it

mkdir -p "$work/bare"
cp "$program" "$work/bare/"
(cd "$work/bare" && exec "$loader" "./$(basename "$program")" >/dev/null 2>&1) &
pid=$!
await named Tessaro || fail "started without images, it showed no message"
answer Tessaro Return
await_end 20 "the message about missing images did not end the program"
[ "$status" = 1 ] || fail "started without images, it ended with $status, not 1"
echo "wine-smoke ($(basename "$loader")): question answered, title shown in a 640x480 window, input read, Escape ended it with 0; without images a message and 1"
