#!/bin/sh
# Plants each fault listed in tests/mutants.txt in the game's code, one at a time,
# runs the tests and reports whether they caught it. The file is restored after
# each fault, also when the script is interrupted.
#
#   tests/mutants.sh [FAULT-LIST]      (MUTANT_BUILD names the build folder)
set -u
cd "$(dirname "$0")/.." || exit 1
list=${1:-tests/mutants.txt}
build=${MUTANT_BUILD:-build-mutants}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j "$jobs" >/dev/null || { echo "the unchanged code does not build"; exit 1; }
(cd "$build" && ctest -j "$jobs" >/dev/null) || { echo "the unchanged code fails its tests"; exit 1; }

backup=$(mktemp)
planted=""
restore() {
    if [ -n "$planted" ]; then
        cp "$backup" "$planted"
        planted=""
    fi
}
trap 'restore; rm -f "$backup"; exit 1' INT TERM
trap 'restore; rm -f "$backup"' EXIT

total=0
caught=0
missed=""
number=0
# Each line: FILE: ORIGINAL => FAULT, the original text found exactly once.
while IFS= read -r line; do
    case "$line" in '#'* | '') continue ;; esac
    number=$((number + 1))
    file=${line%%: *}
    change=${line#*: }
    original=${change%% => *}
    fault=${change#* => }
    occurrences=$(ORIGINAL="$original" perl -0777 -ne 'print scalar(() = /\Q$ENV{ORIGINAL}\E/g)' "$file")
    if [ "$occurrences" != 1 ]; then
        echo "fault $number: '$original' occurs $occurrences times in $file; fix the list"
        exit 1
    fi
    cp "$file" "$backup"
    planted=$file
    ORIGINAL="$original" FAULT="$fault" perl -0777 -pi -e 's/\Q$ENV{ORIGINAL}\E/$ENV{FAULT}/' "$file"
    total=$((total + 1))
    if ! cmake --build "$build" -j "$jobs" --target tessaro_tests tessaro tessaro_thread_tests >/dev/null 2>&1; then
        verdict="DOES NOT BUILD"
        missed="$missed\n  $file: $original => $fault (does not build; fix the list)"
    elif ! (cd "$build" && ctest -j "$jobs" --timeout 120 --stop-on-failure >/dev/null 2>&1); then
        verdict="caught"
        caught=$((caught + 1))
    else
        verdict="MISSED"
        missed="$missed\n  $file: $original => $fault"
    fi
    echo "$verdict: $file: $original => $fault"
    restore
done <"$list"

cmake --build "$build" -j "$jobs" >/dev/null
echo
echo "$caught of $total faults caught ($((total == 0 ? 0 : caught * 100 / total)) %)"
if [ -n "$missed" ]; then
    printf "missed:%b\n" "$missed"
    exit 1
fi
