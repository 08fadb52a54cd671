#!/usr/bin/env bash
# make bench: every benchmark in one table, printed and kept in docs/benchmarks.md
# with the machine it ran on.
#   bench/report.sh BUILD-FOLDER
set -u
cd "$(dirname "$0")/.." || exit 1
build=$1
case $build in /*) ;; *) build=$PWD/$build ;; esac
rows=$(mktemp)
kept=$(mktemp)
trap 'rm -f "$rows" "$kept"' EXIT
# The machine's load as the run starts: figures taken beside other work say more
# than the game costs.
load=$(cut -d' ' -f1-3 /proc/loadavg)

# The in-process benchmarks, from Google Benchmark's CSV: per benchmark, the
# calling thread's CPU time and the counters it reports. One run each, as the CSV
# has one header for every row and the benchmarks report different counters.
for benchmark in $("$build/tessaro_bench" --benchmark_list_tests); do
    "$build/tessaro_bench" --benchmark_format=csv --benchmark_filter="^$benchmark\$" 2>/dev/null
done | awk -F, '
    function unq(s) { gsub(/"/, "", s); return s }
    /^name,/ { delete col; for (i = 1; i <= NF; ++i) col[unq($i)] = i; next }
    !("name" in col) { next }
    {
        name = unq($col["name"]); sub(/\/.*/, "", name)
        unit = $col["time_unit"]; cpu = $col["cpu_time"]
        if ($col["error_occurred"] == "true") { printf "%s|skipped||%s\n", name, unq($col["error_message"]); next }
        report(name)
    }
    function v(key) { return (key in col) ? $col[key] + 0 : 0 }
    function report(name) {
        if (name == "gameStep") {
            printf "game step over a scripted round of flinging: calling thread|%.2f|%s/step|whole process %.2f %s\n", cpu, unit, v("process_cpu_us"), unit
            printf "enemies in play over that round|%.1f|enemies|peak %d; bomb flying %.0f %% of the steps\n", v("enemies"), v("peak_enemies"), 100 * v("bomb_flying")
        } else if (name == "gameFrame") {
            printf "game frame drawn by the game scene on OpenGL: calling thread|%.1f|%s/frame|whole process %.1f %s; %d draw calls; %d enemies; %.4f allocations a frame\n", cpu, unit, v("process_cpu_us"), unit, v("draw_calls"), v("enemies"), v("allocations")
        } else if (name == "titleFrame") {
            printf "title frame, idle, on OpenGL: calling thread|%.1f|%s/frame|whole process %.1f %s; %d draw calls; %.4f allocations a frame\n", cpu, unit, v("process_cpu_us"), unit, v("draw_calls"), v("allocations")
        } else if (name == "thousandSprites") {
            printf "1,000 sprites of one texture: calling thread|%.1f|%s/frame|%d draw calls a frame\n", cpu, unit, v("draw_calls_per_frame")
        } else if (name == "verifyRound") {
            # A round of three minutes is 11,250 steps of 16 ms.
            printf "verifying a recorded round of active play: calling thread|%.2f|%s/round|%d steps; %.0f rounds of three minutes a second a core\n", cpu, unit, v("steps"), 1000 / (cpu * 11250 / v("steps"))
        } else if (name == "idleTitle") {
            printf "idle on the title, off screen: whole process|%.1f|%% of a core|main thread %.1f %%\n", v("process_cpu_percent"), v("main_thread_cpu_percent")
        }
    }' >>"$rows"

# The real program in a window beside the floor, where an X server can be started.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    bench/window-cpu.sh "$build/tessaro" "$build/tessaro_floor" "$PWD/data" >>"$rows" ||
        echo "window figures|skipped||the window benchmark failed" >>"$rows"
else
    echo "window figures|skipped||no Xvfb or xdotool" >>"$rows"
fi

# The ranking's server under load, where wrk can be had.
if command -v wrk >/dev/null; then
    bench/server-load.sh "$build" >>"$rows"
else
    echo "server load|skipped||no wrk" >>"$rows"
fi

table() {
    echo "| Figure | Value | Unit | Beside it |"
    echo "|---|---:|---|---|"
    awk -F'|' '{ printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4 }' "$rows"
}
machine="$(uname -srm); $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(nproc) cores"
table
{
    echo "# Benchmarks"
    echo
    echo "The latest \`make bench\`, $(date -u '+%Y-%m-%d %H:%M UTC'), on $machine;"
    echo "load average $load as it started."
    echo "CPU per step or frame counts the calling thread; \"whole process\" adds every"
    echo "other thread, the OpenGL driver's included. Window figures are measured under"
    echo "Xvfb with the software rasteriser, the game and the floor program (a window"
    echo "only cleared and presented at the game's pacing) over the same seconds, from"
    echo "the scheduler's own count of each thread's time. In play the floor also runs"
    echo "drawing a round's opaque background, what every frame of a round shows."
    echo "The aims: the game's main thread within 1.25 times the floor's, the whole"
    echo "process within 2 times. Figures taken while other work ran on the machine"
    echo "say more than the game costs."
    echo
    table
    # Sections written by hand (before and after a change, profiles) stay.
    sed -n '/^## /,$p' docs/benchmarks.md | { read -r first && { echo; echo "$first"; cat; }; }
} >"$kept" && mv "$kept" docs/benchmarks.md
