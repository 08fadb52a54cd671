#!/usr/bin/env bash
# Includes between the source folders point one way: fails, naming the folders, when
# two folders include each other, directly or around a loop.
set -euo pipefail
cd "$(dirname "$0")/.."
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
# The sources git knows of, or every source outside the build folders in a tree
# that is no git checkout.
sources() {
    git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null ||
        find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||'
}
sources | while read -r file; do
    from=${file%%/*}
    sed -n 's/^#include "\([a-z]*\)\/.*/\1/p' "$file" | sort -u | while read -r to; do
        if [ "$from" != "$to" ] && [ -d "$to" ]; then echo "$from $to"; fi
    done
done | sort -u >"$edges"
if ! tsort "$edges" >/dev/null 2>"$edges.loop"; then
    echo "folders that include each other:" >&2
    grep -v "input contains a loop" "$edges.loop" | sed 's/^tsort: /  /' >&2
    rm -f "$edges.loop"
    exit 1
fi
rm -f "$edges.loop"
echo "includes between $(cut -d' ' -f1 "$edges" | sort -u | wc -l) folders point one way"
