#!/usr/bin/env bash
# The ranking's server under load on this machine: ranking reads a second, with their
# latency, while rounds are sent and played again beside them; and its memory at rest
# and after. Rows for bench/report.sh.
#   bench/server-load.sh BUILD-FOLDER
set -u
build=$1
replays=$(cd "$(dirname "$0")/../tests/replays" && pwd)
seconds=10
work=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

"$build/tessaro-server" --listen 127.0.0.1:0 --database "$work/ranking.sqlite" --rounds-per-minute 1000000 \
    >"$work/out" 2>"$work/log" &
server=$!
for _ in $(seq 100); do
    port=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/out")
    [ -n "$port" ] && break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "server load|skipped||the server did not start: $(cat "$work/log")"
    exit 0
fi
url=http://127.0.0.1:$port
"$build/tessaro-send" "$url" "$replays"/*.tsr >/dev/null
rss() { awk -v key="$1:" '$1 == key { printf "%.1f", $2 / 1024 }' "/proc/$server/status"; }
resting=$(rss VmRSS)

# Rounds sent again and again beside the reads: each is played again in full.
sender() {
    local end=$((SECONDS + seconds)) sent=0
    while [ $SECONDS -lt $end ]; do
        "$build/tessaro-send" "$url" "$replays/active-round.tsr" >/dev/null && sent=$((sent + 1))
    done
    echo "$sent" >"$work/sent"
}
sender &
sending=$!
wrk -t 2 -c 32 -d "${seconds}s" --latency "$url/api/ranking?limit=20" >"$work/wrk" 2>&1
wait "$sending"
reads=$(awk '/^Requests\/sec:/ { printf "%.0f", $2 }' "$work/wrk")
p50=$(awk '$1 == "50%" { print $2 }' "$work/wrk")
p99=$(awk '$1 == "99%" { print $2 }' "$work/wrk")
errors=$(awk '/Non-2xx|Socket errors/ { print }' "$work/wrk" | tr '\n' ' ')
echo "ranking reads a second, 32 connections, rounds verified beside them|$reads|reads/s|p50 $p50, p99 $p99; $(cat "$work/sent") rounds verified in ${seconds} s beside; ${errors:-no errors}"
echo "server memory at rest, four rounds held|$resting|MiB|resident"
echo "server memory after that load|$(rss VmHWM)|MiB|peak resident"
