#!/usr/bin/env bash
# The Windows program under Wine in Xvfb: it asks the full-screen question
# (answered No), shows the title in a 640 x 480 window, and ends with exit value 0
# on Escape.
set -u
program=$1
images=$2
work=$(mktemp -d)
xvfb=""
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "wine-smoke: $*" >&2; exit 1; }

# Waits up to 60 s for a command to succeed.
await() {
    for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}
named() { xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name { print $1; exit }' | grep .; }

mkdir -p "$work/game/data"
cp "$program" "$work/game/"
cp "$images"/*.png "$work/game/data/"
for n in $(seq 161 230); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
await xdpyinfo || fail "no X server"
wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"

(cd "$work/game" && exec wine "./$(basename "$program")" >/dev/null 2>&1) &
pid=$!

await named '質問' || fail "the full-screen question did not appear"
xdotool key --window "$(named '質問')" n 2>/dev/null

await named Tessaro || fail "no window titled Tessaro"
window=$(named Tessaro)
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "640x480" ] || fail "window is $size, not 640x480"

shown=0
for _ in $(seq 100); do
    import -window "$window" "$work/shot.png" 2>/dev/null
    share=$(convert "$work/shot.png" -fuzz 3% -fill white -opaque 'rgb(255,255,128)' \
        -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null)
    if awk -v s="${share:-0}" 'BEGIN { exit !(s > 0.5) }'; then shown=1; break; fi
    sleep 0.3
done
[ "$shown" = 1 ] || fail "the title was not shown (light yellow share ${share:-none})"

# Input reaches the game: pressed on nothing and slid onto START, the held button
# selects it, and the INTRODUCTION question appears left of where START was.
xdotool mousemove --window "$window" 320 200 mousedown 1 sleep 0.3 mousemove --window "$window" 300 262 \
    sleep 0.5 mouseup 1 2>/dev/null
asked=0
for _ in $(seq 30); do
    import -window "$window" "$work/shot.png" 2>/dev/null
    red=$(convert "$work/shot.png" -crop 70x25+172+255 +repage -fuzz 12% -fill white -opaque 'rgb(255,32,32)' \
        -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null)
    if awk -v s="${red:-0}" 'BEGIN { exit !(s > 0.05) }'; then asked=1; break; fi
    sleep 0.3
done
[ "$asked" = 1 ] || fail "sliding a held button onto START did not select it (red share ${red:-none})"

xdotool mousemove --window "$window" 320 470 key --window "$window" Escape 2>/dev/null
for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the program"
wait "$pid"
status=$?
pid=""
[ "$status" = 0 ] || fail "exit value $status"
echo "wine-smoke: question answered, title shown in a 640x480 window, input read, Escape ended it with 0"
