#!/usr/bin/env bash
# Full screen on a 1280 x 800 screen, with a window manager (openbox) or none: the
# question is centred on the game window; after Yes the whole field is shown,
# letterboxed over the screen where the window could cover it, otherwise in a
# correct 640 x 480 window, never cropped; and a click on START where the player
# sees it selects it.
set -u
game=$1
images=$2
manager=${3:-none}
name="fullscreen ($manager)"
screen=1280x800
. "$(dirname "$0")/window-checks.sh"

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x
if [ "$manager" = openbox ]; then
    command -v openbox >/dev/null || fail "openbox is not installed"
    # Its start-up command runs once it manages windows; a window mapped before that
    # can wait for ever.
    openbox --startup "touch $work/managing" >/dev/null 2>&1 &
    await test -e "$work/managing" || fail "openbox did not start"
fi
launch_until_asked "$game"

# "X Y W H" of a window on the screen.
placed() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                             /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

box=$(named '質問')
window=$(named Tessaro) || fail "no window titled Tessaro"
# The box may still be on its way to the centre.
centred=0
for _ in $(seq 50); do
    read -r bx by bw bh <<<"$(placed "$box")"
    read -r wx wy ww wh <<<"$(placed "$window")"
    dx=$(((2 * bx + bw) - (2 * wx + ww)))
    dy=$(((2 * by + bh) - (2 * wy + wh)))
    if [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; then centred=1; break; fi
    sleep 0.1
done
[ "$centred" = 1 ] || fail "the question at $bx,$by ${bw}x$bh is not centred on the window at $wx,$wy ${ww}x$wh"
# A real key press, to the window that has the keyboard: the box takes it.
await focused "$box" || fail "the question does not have the keyboard"
xdotool key Return 2>/dev/null

# A window manager makes the window cover the screen; without one it stays as it was.
if [ "$manager" = openbox ]; then expected=1280x800; else expected=640x480; fi
await sh -c "xwininfo -id $window | awk '/Width:/ {w=\$2} /Height:/ {h=\$2} END {exit !(w \"x\" h == \"$expected\")}'" ||
    fail "the window is not $expected after Yes"
read -r wx wy ww wh <<<"$(placed "$window")"

# The field fitted into the window, as the player sees it: scale and offsets.
read -r scale left top <<<"$(awk -v w="$ww" -v h="$wh" 'BEGIN {
    s = (w / 640 < h / 480) ? w / 640 : h / 480
    printf "%f %d %d\n", s, int((w - 640 * s) / 2), int((h - 480 * s) / 2) }')"
field() { awk -v s="$scale" -v l="$left" -v t="$top" -v x="$1" -v y="$2" 'BEGIN { printf "%d %d\n", l + x * s, t + y * s }'; }
area() { # W H X Y in the field to a crop in the window
    awk -v s="$scale" -v l="$left" -v t="$top" -v w="$1" -v h="$2" -v x="$3" -v y="$4" \
        'BEGIN { printf "%dx%d+%d+%d\n", w * s, h * s, l + x * s, t + y * s }'
}

await_share "$window" 'rgb(255,255,128)' "$(area 640 480 0 0)" 3% 0.5 "the title does not fill the fitted field"
if [ "$left" -gt 4 ]; then
    await_share "$window" 'rgb(0,0,0)' "$((left - 2))x$wh+0+0" 1% 0.95 "the bar left of the field is not black"
fi

read -r sx sy <<<"$(field 300 262)"
xdotool mousemove --window "$window" "$sx" "$sy" sleep 0.3 click 1 2>/dev/null
await_share "$window" 'rgb(255,32,32)' "$(area 70 25 172 255)" 12% 0.05 "a click on START as seen did not select it"

expect_escape_ends_it
echo "$name: question centred, field fitted into ${ww}x$wh unclipped, START selected where seen, Escape ended it with 0"
