#!/usr/bin/env bash
# The real program in a real window under Xvfb: it asks the full-screen question
# (No clicked with the pointer), shows the title in a 640 x 480 window, reads a held button, keeps
# the pointer inside, and ends with exit value 0 on Escape.
set -u
game=$1
images=$2
name=smoke
. "$(dirname "$0")/window-checks.sh"

start_game "$game" "$images"

# No is the right-hand of the two buttons centred along the bottom of the box.
box=$(named '質問')
await focused "$box" || fail "the question was not shown with the keyboard"
read -r bx by bw bh <<<"$(xwininfo -id "$box" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                                                    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')"
xdotool mousemove $((bx + bw / 2 + 46)) $((by + bh - 36)) click 1 2>/dev/null
expect_title
expect_start_selected

# Dragged far to the upper right with the button held, the pointer is put back on
# the client area's corner (640, 0).
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

expect_escape_ends_it
echo "smoke: question answered, title shown in a 640x480 window, input read, pointer kept in, Escape ended it with 0"
