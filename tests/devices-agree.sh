#!/usr/bin/env bash
# The OpenGL device and the Direct3D 9 device draw one picture: the simulator records
# the frames that tests/pictures/scenes.sim writes (the title with its band turned, a
# round with the base and flashes, the ranking); the Windows tessaro-paint paints each
# under Wine, through Wine's own Direct3D 9, and the desktop tessaro-paint paints it
# with OpenGL and holds the two pictures against each other.
#
# devices-agree.sh LOADER PAINT-EXE NATIVE-BUILD PICTURES-FOLDER
# Both pictures of every frame are left in PICTURES-FOLDER to be looked at. Wine runs
# in WINEPREFIX, or in a prefix made here when none is given.
set -u
if [ $# -ne 4 ]; then
    echo "usage: $0 LOADER PAINT-EXE NATIVE-BUILD PICTURES-FOLDER" >&2
    exit 2
fi
loader=$1
windows_paint=$(realpath "$2")
native=$(realpath "$3")
pictures=$4
name=devices-agree
. "$(dirname "$0")/window-checks.sh"
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$work/data" "$pictures" && cp "$here/../data/"*.png "$work/data/" ||
    fail "cannot make the scratch folder or $pictures"
(cd "$work" && "$native/tessaro-sim" "$here/pictures/scenes.sim" >"$work/sim.log" 2>&1) ||
    fail "the simulator did not record the frames: $(cat "$work/sim.log")"
start_x
export WINEPREFIX=${WINEPREFIX:-$work/prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A Wine server left from a run without this X server would make windows on no display.
wineserver -k 2>/dev/null
status=0
for frame in title round ranking; do
    "$loader" "$windows_paint" "$work/$frame.frame" "$pictures/$frame-d3d9.ppm" >"$work/$frame.log" 2>&1 ||
        fail "the Direct3D 9 device did not paint $frame.frame: $(tr -d '\r' <"$work/$frame.log")"
    printf '%s: %s: ' "$name" "$frame"
    "$native/tessaro-paint" "$work/$frame.frame" "$pictures/$frame-gl.ppm" "$pictures/$frame-d3d9.ppm"
    case $? in
    0) ;;
    1) status=1 ;;
    *) fail "the OpenGL device did not paint $frame.frame" ;;
    esac
done
[ "$status" = 0 ] || fail "the two devices drew different pictures: see $pictures"
