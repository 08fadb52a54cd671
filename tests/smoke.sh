#!/usr/bin/env bash
# The real program in a real window under Xvfb: it asks the full-screen question
# (answered No), shows the title in a 640 x 480 window, and ends with exit value 0
# on Escape.
set -u
game=$1
images=$2
work=$(mktemp -d)
xvfb=""
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke: $*" >&2; exit 1; }

# Waits up to 20 s for a command to succeed.
await() {
    for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
await xdpyinfo || fail "no X server"

(cd "$work" && SDL_VIDEODRIVER=x11 exec "$game") &
pid=$!

# The box carries only a UTF-8 name, which xwininfo reads.
question() { xwininfo -root -tree | awk '/"質問"/ { print $1; exit }' | grep .; }
await question || fail "the full-screen question did not appear"
box=$(question)
xdotool key --window "$box" Escape

await xdotool search --name '^Tessaro$' || fail "no window titled Tessaro"
window=$(xdotool search --name '^Tessaro$' | head -n 1)
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "640x480" ] || fail "window is $size, not 640x480"

# Frames are presented: the title's light yellow fills most of the window.
shown=0
for _ in $(seq 50); do
    import -window "$window" "$work/shot.png" 2>/dev/null
    share=$(convert "$work/shot.png" -fuzz 3% -fill white -opaque 'rgb(255,255,128)' \
        -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null)
    if awk -v s="${share:-0}" 'BEGIN { exit !(s > 0.5) }'; then shown=1; break; fi
    sleep 0.2
done
[ "$shown" = 1 ] || fail "the title was not shown (light yellow share ${share:-none})"

# The pointer is read while the button is held: pressed on nothing and slid onto
# START, it selects it, and the INTRODUCTION question appears (its first letters
# stand left of where START was).
xdotool mousemove --window "$window" 320 200 mousedown 1 sleep 0.3 mousemove --window "$window" 300 262 sleep 0.5 mouseup 1
asked=0
for _ in $(seq 30); do
    import -window "$window" "$work/shot.png" 2>/dev/null
    red=$(convert "$work/shot.png" -crop 70x25+172+255 +repage -fuzz 12% -fill white -opaque 'rgb(255,32,32)' \
        -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null)
    if awk -v s="${red:-0}" 'BEGIN { exit !(s > 0.05) }'; then asked=1; break; fi
    sleep 0.2
done
[ "$asked" = 1 ] || fail "sliding a held button onto START did not select it (red share ${red:-none})"

# The pointer is kept inside the window, also while the button is held: dragged far
# to the upper right, it is put back on the client area's corner (640, 0).
left=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
top=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
xdotool mousemove --window "$window" 320 240 mousedown 1 mousemove $((left + 800)) $((top - 50))
pinned=0
for _ in $(seq 50); do
    sleep 0.1
    eval "$(xdotool getmouselocation --shell)"
    if [ "$X" = $((left + 640)) ] && [ "$Y" = "$top" ]; then pinned=1; break; fi
done
xdotool mouseup 1
[ "$pinned" = 1 ] || fail "a held pointer left the window: at $X,$Y, window at $left,$top"

xdotool mousemove --window "$window" 320 470 key --window "$window" Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the program"
wait "$pid"
status=$?
pid=""
[ "$status" = 0 ] || fail "exit value $status"
echo "smoke: question answered, title shown in a 640x480 window, pointer kept in, Escape ended it with 0"
