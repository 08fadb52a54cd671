#!/usr/bin/env bash
# A whole round played in the real window under Xvfb: the bomb flung again and again
# through xdotool until the round ends, the result clicked away, a name entered.
# The replay the round left verifies with tessaro-verify to the total the ranking
# file holds. Usage: replay-window.sh GAME VERIFY IMAGES
set -u
game=$(realpath "$1")
verify=$(realpath "$2")
images=$(realpath "$3")
name=replay-window
. "$(dirname "$0")/window-checks.sh"

start_game "$game" "$images"

xdotool key --window "$(named '質問')" Escape 2>/dev/null
expect_title
expect_start_selected
# No introduction: straight into the round.
xdotool mousemove --window "$window" 300 382 click 1 2>/dev/null

# Flings from the centre toward the edges, one about every second and a half, over
# the whole round; some miss the bomb while it still flies, as a player's do.
orange() { share "$window" 'rgb(255,192,64)' "" 5% ; }
started=$(date +%s)
fling=0
while [ $(($(date +%s) - started)) -lt 200 ]; do
    angle=$((fling * 137 % 360))
    tx=$(awk -v a="$angle" 'BEGIN { printf "%d", 320 + 280 * cos(a * 3.14159 / 180) }')
    ty=$(awk -v a="$angle" 'BEGIN { printf "%d", 240 + 220 * sin(a * 3.14159 / 180) }')
    xdotool mousemove --window "$window" 320 240 mousedown 1 sleep 0.05 \
        mousemove --window "$window" $(((320 + tx) / 2)) $(((240 + ty) / 2)) sleep 0.05 \
        mousemove --window "$window" "$tx" "$ty" sleep 0.05 mouseup 1 sleep 1.3 2>/dev/null
    fling=$((fling + 1))
done

# The results wait for a held button; then the name entry, orange.
xdotool mousedown 1 2>/dev/null
for _ in $(seq 100); do
    awk -v s="$(orange)" 'BEGIN { exit !(s > 0.5) }' && break
    sleep 0.2
done
xdotool mouseup 1 2>/dev/null
awk -v s="$(orange)" 'BEGIN { exit !(s > 0.5) }' || fail "the round did not end in the name entry"
sleep 3
for cell in "102 166" "152 166" "402 166"; do
    xdotool mousemove --window "$window" $cell click 1 sleep 0.3 2>/dev/null
done
xdotool mousemove --window "$window" 320 415 click 1 2>/dev/null
await test -s "$work/data/score.txt" || fail "no ranking file written"
sleep 1
expect_escape_ends_it

replay=$work/data/replays/round-000001.tsr
[ -f "$replay" ] || fail "the round left no replay"
total=$(cut -d, -f2 "$work/data/score.txt" | tr -d '\r')
out=$("$verify" "$replay") || fail "tessaro-verify: $out"
case "$out" in
    *"recorded total $total, replayed total $total: agrees") ;;
    *) fail "the ranking holds $total, tessaro-verify says: $out" ;;
esac
echo "replay-window: $fling flings, total $total in the ranking and verified, replay of $(wc -c < "$replay") bytes"
