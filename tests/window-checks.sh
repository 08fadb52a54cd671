# Checks of a program in a real window under Xvfb, shared by the smoke tests of the
# desktop and the Windows builds. Source it after setting `name` (for messages);
# it makes `work`, a scratch folder removed on exit with the X server and `pid`.

work=$(mktemp -d)
xvfb=""
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$name: $*" >&2; exit 1; }

# Waits up to a number of seconds for a command to succeed.
await_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 5))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
    return 1
}

# Waits up to 60 s for a command to succeed.
await() { await_for 60 "$@"; }

# Starts an X server of the size $screen (default 1024x768) on a display it finds
# free itself, so that tests started together never share one, and exports DISPLAY.
start_x() {
    Xvfb -displayfd 3 -screen 0 "${screen:-1024x768}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        kill -0 "$xvfb" 2>/dev/null || break
        if [ -s "$work/display" ]; then
            export DISPLAY=":$(head -n 1 "$work/display")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    xvfb=""
    fail "no X server"
}

# Starts a program in the scratch folder and waits for its full-screen question. A
# start that stalls fails with where each of the program's threads waits.
launch_until_asked() {
    (cd "$work" && SDL_VIDEODRIVER=x11 exec "$@") &
    pid=$!
    await_for 30 named '質問' && return 0
    kill -0 "$xvfb" 2>/dev/null || fail "the X server ended before the program's question"
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its question; DISPLAY=$DISPLAY $(xdpyinfo >/dev/null 2>&1 && echo answers || echo "does not answer") now"
    fail "no question 30 s after start: $(stalled "$pid")"
}

# Where the threads of a process and of its children wait.
stalled() {
    local p t
    for p in "$1" $(pgrep -P "$1"); do
        printf 'process %s:' "$p"
        for t in /proc/"$p"/task/*; do printf ' %s' "$(cat "$t/wchan" 2>/dev/null)"; done
        printf '; '
    done
}

# Starts the game with the images beside it on a new X server, up to its question.
start_game() {
    mkdir -p "$work/data"
    cp "$2"/*.png "$work/data/"
    start_x
    launch_until_asked "$1"
}

# The id of the top-level window with this name; xwininfo also reads UTF-8 names.
named() { xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name { print $1; exit }' | grep .; }

# Whether a window is on the screen and has the keyboard: a window is named before it
# is shown, and real input goes to the window shown there and to the focused one.
focused() { xwininfo -id "$1" | grep -q IsViewable && [ "$(xdotool getwindowfocus)" = "$(($1))" ]; }

# The share of a window's area, or of a part "WxH+X+Y" of it, in a colour.
share() {
    # A wedged X server must fail the check, not hang the run.
    timeout 20 import -window "$1" "$work/shot.png" 2>/dev/null
    convert "$work/shot.png" ${3:+-crop "$3" +repage} -fuzz "$4" -fill white -opaque "$2" \
        -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null
}

# Waits up to 10 s for a share above a bound.
await_share() {
    local window=$1 colour=$2 crop=$3 fuzz=$4 least=$5 what=$6 seen=""
    for _ in $(seq 50); do
        seen=$(share "$window" "$colour" "$crop" "$fuzz")
        awk -v s="${seen:-0}" -v l="$least" 'BEGIN { exit !(s > l) }' && return 0
        sleep 0.2
    done
    fail "$what (share ${seen:-none})"
}

# The question was answered: a 640 x 480 window shows the light yellow title.
expect_title() {
    await named Tessaro || fail "no window titled Tessaro"
    window=$(named Tessaro)
    local size
    size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ "$size" = "640x480" ] || fail "window is $size, not 640x480"
    await_share "$window" 'rgb(255,255,128)' "" 3% 0.5 "the title was not shown"
}

# Input reaches the game, also while the button is held: pressed on nothing and slid
# onto START, it selects it, and the INTRODUCTION question appears (its first
# letters stand left of where START was).
expect_start_selected() {
    xdotool mousemove --window "$window" 320 200 mousedown 1 sleep 0.3 \
        mousemove --window "$window" 300 262 sleep 0.5 mouseup 1 2>/dev/null
    await_share "$window" 'rgb(255,32,32)' 70x25+172+255 12% 0.05 "sliding a held button onto START did not select it"
}

# Waits up to a number of seconds for the program to end and sets `status` to its
# exit value; while it still runs then, the check fails with the message given.
await_end() {
    for _ in $(seq $(($1 * 5))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$pid" 2>/dev/null && fail "$2"
    wait "$pid"
    status=$?
    pid=""
}

# Escape ends the program with exit value 0.
expect_escape_ends_it() {
    xdotool mousemove --window "$window" 320 470 key --window "$window" Escape 2>/dev/null
    await_end 30 "Escape did not end the program"
    [ "$status" = 0 ] || fail "exit value $status"
}
