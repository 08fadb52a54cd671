#!/usr/bin/env bash
# The OpenGL device and the Direct3D 9 device draw one picture: the simulator records
# the frames that tests/pictures/scenes.sim writes (the title with its band turned, a
# round with the base and flashes, the ranking); the Windows tessaro-paint paints each
# under Wine, through Wine's own Direct3D 9, and the desktop tessaro-paint paints it
# with OpenGL and holds the two pictures against each other.
#
# devices-agree.sh LOADER PAINT-EXE NATIVE-BUILD PICTURES-FOLDER
# Both pictures of every frame are left in PICTURES-FOLDER to be looked at.
set -u
loader=$1
windows_paint=$2
native=$3
pictures=$4
name=devices-agree
. "$(dirname "$0")/window-checks.sh"
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$work/data" "$pictures"
cp "$here/../data/"*.png "$work/data/"
(cd "$work" && "$native/tessaro-sim" "$here/pictures/scenes.sim" >/dev/null) || fail "the simulator did not record the frames"
start_x
# Wine needs a prefix; one made here when none is given.
export WINEPREFIX=${WINEPREFIX:-$work/prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
for frame in title round ranking; do
    "$loader" "$windows_paint" "$work/$frame.frame" "$pictures/$frame-d3d9.ppm" >/dev/null 2>&1 ||
        fail "the Direct3D 9 device did not paint $frame.frame"
    printf '%s: %s: ' "$name" "$frame"
    "$native/tessaro-paint" "$work/$frame.frame" "$pictures/$frame-gl.ppm" "$pictures/$frame-d3d9.ppm" || status=1
done
[ "$status" = 0 ] || fail "the two devices drew different pictures: see $pictures"
