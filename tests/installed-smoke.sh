#!/usr/bin/env bash
# The installed game as a player starts it: from an unrelated folder that holds a data/
# of somebody else's, with a home of its own, in a real window under Xvfb. It answers
# the question, shows the title with its own images, loses a round, takes a name, and
# keeps the ranking in the player's folder and nowhere else: the folder it was started
# in stays byte for byte as it was.
#   installed-smoke.sh destdir BUILD   installs BUILD (configured for /usr) into a scratch DESTDIR
#   installed-smoke.sh deb FILE        installs the package with dpkg and removes it again
set -u
mode=$1
source=$2
name=installed-smoke
replays=$(cd "$(dirname "$0")/replays" && pwd)
. "$(dirname "$0")/window-checks.sh"

app=org.tessaro.tessaro
icon_sides="16 22 24 32 48 64 128 256"
name_colour='rgb(255,192,64)'
round_colour='rgb(16,192,16)'
logo_colour='rgb(255,142,57)'
sudo=$([ "$(id -u)" = 0 ] || echo sudo)
installed=""

remove_package() {
    [ -n "$installed" ] && $sudo dpkg --purge tessaro >/dev/null
    installed=""
}
trap 'remove_package; cleanup' EXIT

# The files a desktop needs, where it looks for them, and valid.
expect_layout() {
    local usr=$1
    [ -x "$usr/games/tessaro" ] || fail "no program in $usr/games"
    [ -f "$usr/share/games/tessaro/font.png" ] || fail "no images in $usr/share/games/tessaro"
    desktop-file-validate "$usr/share/applications/$app.desktop" || fail "the desktop entry is not valid"
    appstreamcli validate --no-net --strict "$usr/share/metainfo/$app.metainfo.xml" >/dev/null \
        || fail "the metainfo is not valid: $(appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml")"
    for side in $icon_sides; do
        local png="$usr/share/icons/hicolor/${side}x${side}/apps/tessaro.png"
        [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${side}x${side}" ] || fail "no ${side}x${side} icon"
    done
    gzip -t "$usr/share/man/man6/tessaro.6.gz" || fail "no manual page"
}

# The replay tools beside the game answer --help and have their manual page, and the
# verifier plays a recorded round again to its total.
expect_replay_tools() {
    local usr=$1 games=$1/games tool said
    for tool in tessaro-verify tessaro-watch tessaro-send; do
        [ -x "$games/$tool" ] || fail "no $tool beside the game in $games"
        gzip -t "$usr/share/man/man6/$tool.6.gz" || fail "no manual page for $tool"
        said=$("$games/$tool" --help) || fail "$tool --help exited with $?"
        [[ "$said" == "usage: $tool "* ]] || fail "$tool --help said: $said"
    done
    # Nothing listens on port 1 of the loopback: the sender says so and fails.
    said=$("$games/tessaro-send" http://127.0.0.1:1 "$replays/active-round.tsr" 2>&1) \
        && fail "tessaro-send reported success with no server"
    [[ "$said" == *"cannot reach the world ranking"* ]] || fail "tessaro-send without a server said: $said"
    said=$("$games/tessaro-verify" "$replays/active-round.tsr") || fail "tessaro-verify exited with $?: $said"
    [[ "$said" == *": agrees" ]] || fail "the installed tessaro-verify said: $said"
}

# Waits up to a given number of seconds for a window to show mostly one colour.
await_screen() {
    local colour=$1 seconds=$2 what=$3 seen=""
    for _ in $(seq "$seconds"); do
        seen=$(share "$window" "$colour" "" 3%)
        awk -v s="${seen:-0}" 'BEGIN { exit !(s > 0.5) }' && return 0
        sleep 1
    done
    fail "$what (share ${seen:-none})"
}

click() { xdotool mousemove --window "$window" "$1" "$2" sleep 0.2 click 1 sleep 0.3 2>/dev/null; }

# Every file below a folder with its size, mode and contents.
inventory() { (cd "$1" && find . -printf '%p %s %m\n' | sort && find . -type f -exec md5sum {} + | sort); }

# From the title to a ranked round, then Escape.
play() {
    local program=$1 home="$work/home" folder="$work/elsewhere"
    local ranking="$home/data/tessaro/score.txt"
    mkdir -p "$home" "$folder/data"
    printf 'day,reading\n1,20.5\n' >"$folder/data/measurements.csv"
    local before
    before=$(inventory "$folder")
    (cd "$folder" && HOME="$home" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=x11 exec "$program") &
    pid=$!
    await named '質問' || fail "the full-screen question did not appear"
    xdotool key --window "$(named '質問')" Escape 2>/dev/null
    expect_title
    await_share "$window" "$logo_colour" 360x80+140+10 15% 0.1 "the title's images were not found"
    # START, and NO to the introduction: the round begins on its green field.
    click 300 260
    click 300 380
    await_screen "$round_colour" 20 "the round did not begin"
    # Nobody plays: the base falls. A button held far from the bomb passes the results.
    xdotool mousemove --window "$window" 8 8 mousedown 1 2>/dev/null
    await_screen "$name_colour" 240 "the round was not lost into the name entry"
    xdotool mouseup 1 2>/dev/null
    sleep 3
    click 100 165
    click 150 165
    click 320 415
    await test -s "$ranking" || fail "no ranking in the player's folder $home/data/tessaro"
    grep -qaE '^AB      ,[0-9]+'$'\r''$' "$ranking" || fail "the ranking holds $(od -c "$ranking" | head -3)"
    [ "$(stat -c %a "$home/data/tessaro")" = 700 ] || fail "the player's folder is open to others"
    [ "$(inventory "$folder")" = "$before" ] || fail "the working folder changed: $(ls -lAR "$folder")"
    local beside
    beside=$(find "$(dirname "$program")" "$(dirname "$program")/../share/games/tessaro" -name 'score.txt*')
    [ -z "$beside" ] || fail "a ranking beside the program: $beside"
    expect_escape_ends_it
}

start_x
case "$mode" in
destdir)
    root="$work/root"
    DESTDIR="$root" cmake --install "$source" >/dev/null || fail "cmake --install failed"
    expect_layout "$root/usr"
    expect_replay_tools "$root/usr"
    play "$root/usr/games/tessaro"
    ;;
deb)
    dpkg-query -W -f='${Status}' tessaro 2>/dev/null | grep -q 'install ok installed' \
        && fail "tessaro is installed on this machine already; this test would remove it"
    lintian --fail-on error "$source" || fail "lintian found errors"
    $sudo dpkg -i "$source" >/dev/null || fail "dpkg -i failed"
    installed=1
    expect_layout /usr
    expect_replay_tools /usr
    play /usr/games/tessaro
    remove_package
    for program in tessaro tessaro-verify tessaro-watch tessaro-send; do
        [ -e /usr/games/$program ] && fail "$program stayed after the package was removed"
    done
    [ -e /usr/share/games/tessaro ] && fail "the images stayed after the package was removed"
    [ -s "$work/home/data/tessaro/score.txt" ] || fail "removing the package took the player's ranking"
    ;;
*)
    fail "usage: installed-smoke.sh destdir BUILD | deb FILE"
    ;;
esac
echo "$name ($mode): laid out and valid; the replay tools answer and verify; question, title, a lost round and a name; the ranking in the player's folder only"
