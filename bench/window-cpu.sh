#!/usr/bin/env bash
# The real program in a window under Xvfb beside the floor program (a window only
# cleared and presented at the same pacing), both measured over the same seconds:
# start-up times, CPU of the whole process and of its main thread, idle on the
# title and in play with the bomb flung every two seconds, and peak memory.
# Prints one "name|value|unit|what" line per figure.
set -u
game=$1
floor=$2
images=$3
seconds=${BENCH_SECONDS:-10}
name=window-bench
. "$(dirname "$0")/../tests/window-checks.sh"
floor_pid=""
backdrop_pid=""
trap 'kill $floor_pid $backdrop_pid 2>/dev/null; cleanup' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }
# CPU time so far in microseconds, of a process (all its threads) or of one thread.
# The scheduler's own count to the nanosecond where the kernel keeps it; else the
# clock ticks (a hundredth of a second each here), too coarse for a thread that runs
# a few tenths of a millisecond a frame.
if [ -r /proc/self/schedstat ]; then
    cpu_us() {
        local files=("$1"/task/*/schedstat)
        [ "${2:-}" = thread ] && files=("$1"/task/"${1##*/}"/schedstat)
        awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }' "${files[@]}" 2>/dev/null
    }
else
    ticks=$(getconf CLK_TCK)
    cpu_us() {
        local file=$1/stat
        [ "${2:-}" = thread ] && file=$1/task/${1##*/}/stat
        awk -v k="$ticks" '{ sub(/^.*\) /, ""); printf "%d\n", ($12 + $13) * 1000000 / k }' "$file"
    }
fi
row() { echo "$1|$2|$3|$4"; }

# Measures the programs over the same seconds; prints the percentages of a core of
# the game, the floor and the backdrop (0 while it does not run), each whole and
# main thread.
measure() {
    local pids=("$pid" "$floor_pid" "$backdrop_pid") before=() after=() t0 t1
    both() { if [ -n "$1" ]; then echo "$(cpu_us /proc/$1) $(cpu_us /proc/$1 thread)"; else echo "0 0"; fi; }
    read -ra before <<<"$(for p in "${pids[@]}"; do both "$p"; done | tr '\n' ' ')"
    t0=$(now_ms)
    "$@"
    read -ra after <<<"$(for p in "${pids[@]}"; do both "$p"; done | tr '\n' ' ')"
    t1=$(now_ms)
    for i in "${!before[@]}"; do
        awk -v w=$((t1 - t0)) -v a="${after[$i]:-0}" -v b="${before[$i]:-0}" \
            'BEGIN { printf "%.2f ", (a - b) * 0.1 / w }'
    done
    echo
}
idle() { sleep "$seconds"; }
# Flings the bomb toward a corner every two seconds.
fling() {
    local corners=("600 90" "40 420" "600 420" "40 90")
    for i in $(seq 0 $((seconds / 2 - 1))); do
        # shellcheck disable=SC2086
        xdotool mousemove --window "$window" 320 240 mousedown 1 sleep 0.05 \
            mousemove --window "$window" ${corners[$((i % 4))]} sleep 0.05 mouseup 1 sleep 1.9 2>/dev/null
    done
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
report() {
    local what=$1 g gm f fm b bm
    read -r g gm f fm b bm
    row "$what: game, whole process" "$g" "% of a core" "floor $f %; $(ratio "$g" "$f") x the floor"
    row "$what: game, main thread" "$gm" "% of a core" "floor $fm %; $(ratio "$gm" "$fm") x the floor"
    [ -n "$backdrop_pid" ] || return 0
    row "$what: the floor drawing a round's background, whole process" "$b" "% of a core" \
        "$(ratio "$b" "$f") x the floor; the game $(ratio "$g" "$b") x this"
}

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x

# Frames as the X server reports them drawn: "frame MS" lines, in the clock of now_ms.
frames_tool=$(dirname "$floor")/tessaro_frames
[ -x "$frames_tool" ] || fail "no $frames_tool (the DAMAGE extension's headers were missing at build)"
watch_frames() { "$frames_tool" "$1" "$2" >"$work/$3.frames" 2>/dev/null & }
first_frame() { awk -v after="$2" '$1 == "frame" && $2 >= after { print $2; exit }' "$work/$1.frames"; }
# Waits up to 30 s for a watch to have found its window.
await_watching() {
    for _ in $(seq 3000); do grep -q '^shown' "$work/$1.frames" 2>/dev/null && return 0; sleep 0.01; done
    return 1
}
# Waits up to 30 s for a frame of that watch at or after a moment.
await_frame() {
    for _ in $(seq 3000); do [ -n "$(first_frame "$1" "$2")" ] && return 0; sleep 0.01; done
    return 1
}

# Start-up over several starts, as one moves by tens of milliseconds: the game's launch
# to its question and its answer to the first title frame, the floor's launch to its
# first frame. Each start but the last is ended; the last runs on to be measured.
starts=${BENCH_STARTS:-5}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
spread() { printf '%s\n' "$@" | sort -n | awk 'NR == 1 { low = $1 } END { print low " to " $1 }'; }
# Ends the program started last and waits until its window named $1 is gone.
end_start() {
    kill "$pid"
    await_end 10 "$1 did not end on SIGTERM"
    for _ in $(seq 50); do named "$1" >/dev/null || return 0; sleep 0.1; done
    fail "the window $1 stayed after its program ended"
}
asked=()
shown=()
for start in $(seq "$starts"); do
    watch_frames '質問' 1 question
    launched=$(now_ms)
    (cd "$work" && SDL_VIDEODRIVER=x11 exec "$game") &
    pid=$!
    await_frame question 0 || fail "the full-screen question did not appear"
    asked+=($(($(first_frame question 0) - launched)))
    # Watched from now on: a second watcher looking for windows would slow the launch.
    watch_frames Tessaro 100000 game
    game_watch=$!
    await_watching game || fail "the game's window could not be watched"
    answered=$(now_ms)
    xdotool key --window "$(named '質問')" Escape 2>/dev/null
    await_frame game "$answered" || fail "no frame of the title was drawn"
    shown+=($(($(first_frame game "$answered") - answered)))
    kill "$game_watch" 2>/dev/null
    [ "$start" = "$starts" ] || end_start Tessaro
done
expect_title
game_pid=$pid

floor_first=()
for start in $(seq "$starts"); do
    watch_frames Floor 1 floor
    floor_launched=$(now_ms)
    (SDL_VIDEODRIVER=x11 exec "$floor") &
    pid=$!
    await_frame floor 0 || fail "the floor program drew no frame"
    floor_first+=($(($(first_frame floor 0) - floor_launched)))
    [ "$start" = "$starts" ] || end_start Floor
done
floor_pid=$pid
pid=$game_pid
row "start-up: launch to the question drawn" "$(median "${asked[@]}")" ms \
    "median of $starts starts, $(spread "${asked[@]}") ms; floor: launch to its first frame $(median "${floor_first[@]}") ms ($(spread "${floor_first[@]}"))"
row "start-up: answer to the first title frame drawn" "$(median "${shown[@]}")" ms \
    "median of $starts starts, $(spread "${shown[@]}") ms, from the X server's damage reports"
sleep 1

measure idle | report "idle on the title"
# START, then no introduction; the round fades in from black over four seconds.
xdotool mousemove --window "$window" 300 262 click 1 sleep 0.5 mousemove --window "$window" 300 380 sleep 0.2 click 1 2>/dev/null
sleep 7
yellow=$(share "$window" 'rgb(255,255,128)' "" 3%)
awk -v s="${yellow:-1}" 'BEGIN { exit !(s < 0.1) }' || fail "no round began (the title is still shown)"
# Beside play, the floor drawing the round's opaque background: what every frame shows.
(SDL_VIDEODRIVER=x11 exec "$floor" --background) &
backdrop_pid=$!
sleep 1
kill -0 "$backdrop_pid" 2>/dev/null || fail "the floor could not draw a background"
measure fling | report "play, flinging"

row "peak memory: game" "$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/$pid/status)" MiB "resident"
row "peak memory: floor" "$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/$floor_pid/status)" MiB "resident"
kill "$floor_pid" "$backdrop_pid" 2>/dev/null
floor_pid=""
backdrop_pid=""
expect_escape_ends_it
