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
trap '[ -n "$floor_pid" ] && kill "$floor_pid" 2>/dev/null; cleanup' EXIT

ticks=$(getconf CLK_TCK)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# CPU ticks so far: user and system, of a process (all threads) or of one thread.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "$1"; }
row() { echo "$1|$2|$3|$4"; }

# Measures both programs over the same seconds; prints the four percentages.
measure() {
    local g0 gm0 f0 fm0 t0 g1 gm1 f1 fm1 t1
    g0=$(cpu_ticks /proc/$pid/stat); gm0=$(cpu_ticks /proc/$pid/task/$pid/stat)
    f0=$(cpu_ticks /proc/$floor_pid/stat); fm0=$(cpu_ticks /proc/$floor_pid/task/$floor_pid/stat)
    t0=$(now_ms)
    "$@"
    g1=$(cpu_ticks /proc/$pid/stat); gm1=$(cpu_ticks /proc/$pid/task/$pid/stat)
    f1=$(cpu_ticks /proc/$floor_pid/stat); fm1=$(cpu_ticks /proc/$floor_pid/task/$floor_pid/stat)
    t1=$(now_ms)
    awk -v w=$((t1 - t0)) -v k="$ticks" -v g=$((g1 - g0)) -v gm=$((gm1 - gm0)) -v f=$((f1 - f0)) -v fm=$((fm1 - fm0)) \
        'BEGIN { c = 100000 / (k * w); printf "%.1f %.1f %.1f %.1f\n", g * c, gm * c, f * c, fm * c }'
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
    local what=$1 g gm f fm
    read -r g gm f fm
    row "$what: game, whole process" "$g" "% of a core" "floor $f %; $(ratio "$g" "$f") x the floor"
    row "$what: game, main thread" "$gm" "% of a core" "floor $fm %; $(ratio "$gm" "$fm") x the floor"
}

mkdir -p "$work/data"
cp "$images"/*.png "$work/data/"
start_x

# Frames as the X server reports them drawn: "frame MS" lines, in the clock of now_ms.
frames_tool=$(dirname "$floor")/tessaro_frames
[ -x "$frames_tool" ] || fail "no $frames_tool (the DAMAGE extension's headers were missing at build)"
watch_frames() { "$frames_tool" "$1" "$2" >"$work/$3.frames" 2>/dev/null & }
first_frame() { awk -v after="$2" '$1 == "frame" && $2 >= after { print $2; exit }' "$work/$1.frames"; }
# Waits up to 30 s for a frame of that watch at or after a moment.
await_frame() {
    for _ in $(seq 3000); do [ -n "$(first_frame "$1" "$2")" ] && return 0; sleep 0.01; done
    return 1
}

watch_frames '質問' 1 question
watch_frames Tessaro 100000 game
game_watch=$!
launched=$(now_ms)
(cd "$work" && SDL_VIDEODRIVER=x11 exec "$game") &
pid=$!
await_frame question 0 || fail "the full-screen question did not appear"
asked=$(first_frame question 0)
answered=$(now_ms)
xdotool key --window "$(named '質問')" Escape 2>/dev/null
await_frame game "$answered" || fail "no frame of the title was drawn"
shown=$(first_frame game "$answered")
kill "$game_watch" 2>/dev/null
expect_title

watch_frames Floor 1 floor
floor_launched=$(now_ms)
(SDL_VIDEODRIVER=x11 exec "$floor") &
floor_pid=$!
await_frame floor 0 || fail "the floor program drew no frame"
floor_first=$(( $(first_frame floor 0) - floor_launched ))
row "start-up: launch to the question drawn" $((asked - launched)) ms "floor: launch to its first frame $floor_first ms"
row "start-up: answer to the first title frame drawn" $((shown - answered)) ms "from the X server's damage reports"
sleep 1

measure idle | report "idle on the title"
# START, then no introduction; the round fades in from black over four seconds.
xdotool mousemove --window "$window" 300 262 click 1 sleep 0.5 mousemove --window "$window" 300 380 sleep 0.2 click 1 2>/dev/null
sleep 7
yellow=$(share "$window" 'rgb(255,255,128)' "" 3%)
awk -v s="${yellow:-1}" 'BEGIN { exit !(s < 0.1) }' || fail "no round began (the title is still shown)"
measure fling | report "play, flinging"

row "peak memory: game" "$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/$pid/status)" MiB "resident"
row "peak memory: floor" "$(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' /proc/$floor_pid/status)" MiB "resident"
kill "$floor_pid" 2>/dev/null
floor_pid=""
expect_escape_ends_it
