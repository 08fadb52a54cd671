#!/usr/bin/env bash
# The Windows program under Wine started again and again, each time in a fresh Wine
# prefix and X server as a new player's first run is: each must ask its question,
# show the title and end with exit value 0 on Escape.
#   wine-soak.sh PROGRAM IMAGES LOADER [STARTS]
set -u
program=$1
images=$2
loader=$3
starts=${4:-100}
began=$(date +%s)
for n in $(seq "$starts"); do
    if ! "$(dirname "$0")/wine-smoke.sh" "$program" "$images" "$loader" >/dev/null; then
        echo "wine-soak: start $n of $starts failed" >&2
        exit 1
    fi
    [ $((n % 10)) = 0 ] && echo "wine-soak: $n starts"
done
echo "wine-soak: $starts starts of $(basename "$program") under $(basename "$loader") in $(($(date +%s) - began)) s, each ended with 0"
