#!/usr/bin/env bash
# Every way the game cannot start says why on standard error and exits non-zero
# within seconds, and leaves the ranking as it was: no display, a display that does
# not answer, a display without OpenGL 3.3, and a folder without the game's images.
set -u
game=$1
images=$2
name=start-failures
. "$(dirname "$0")/window-checks.sh"

# A ranking in the working folder and one in the player's folder, each to stay as it is.
ranking="AB      ,1234"$'\r'
mkdir -p "$work/game/data" "$work/home/tessaro"
cp "$images"/*.png "$work/game/data/"
printf '%s\n' "$ranking" >"$work/game/data/score.txt"
printf '%s\n' "$ranking" >"$work/home/tessaro/score.txt"
export XDG_DATA_HOME="$work/home"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# Runs the game in $1 with the environment given after it; it must fail with a
# message holding $expected within a few seconds.
expect_refusal() {
    local folder=$1 started status told
    shift
    started=$(date +%s)
    (cd "$folder" && exec env "$@" timeout 20 "$game") >"$work/told" 2>&1
    status=$?
    told=$(cat "$work/told")
    [ "$status" = 124 ] && fail "$case: still running after 20 s"
    [ "$status" = 0 ] && fail "$case: exit value 0 (told: ${told:-nothing})"
    [ $(($(date +%s) - started)) -le 10 ] || fail "$case: took over 10 s"
    grep -qF -- "$expected" <<<"$told" || fail "$case: the message does not say \"$expected\": ${told:-nothing}"
    for file in "$work/game/data/score.txt" "$work/home/tessaro/score.txt"; do
        [ "$(cat "$file")" = "$ranking" ] || fail "$case: $file changed"
    done
    echo "$name: $case: exit value $status, told: $told"
}

case="no display" expected="neither DISPLAY nor WAYLAND_DISPLAY is set"
expect_refusal "$work/game" -u DISPLAY

# A display number whose socket nobody listens on.
free=$(for n in $(seq 200 299); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; break; }; done)
case="a display that does not answer" expected="does not answer"
expect_refusal "$work/game" DISPLAY=":$free"

case="SDL_VIDEODRIVER naming a driver without a window" expected="shows no window"
expect_refusal "$work/game" SDL_VIDEODRIVER=offscreen

start_x
case="a display without OpenGL 3.3" expected="the game needs OpenGL 3.3"
expect_refusal "$work/game" MESA_GL_VERSION_OVERRIDE=3.0

# A data/ with the ranking but no images: not the game's folder, and no installed images.
mkdir -p "$work/bare/data"
cp "$work/game/data/score.txt" "$work/bare/data/"
case="a folder without images" expected="the game's images are in neither $work/bare/data nor"
expect_refusal "$work/bare"
[ "$(cat "$work/bare/data/score.txt")" = "$ranking" ] || fail "$case: the folder's ranking changed"
echo "$name: each failure said why and exited non-zero, the rankings untouched"
