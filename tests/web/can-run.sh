#!/usr/bin/env bash
# Says whether this machine can build the web page and play it in headless chromium.
# Exit 0: it can. Otherwise prints "SKIP test-web: <why>" and exits 1, so that the
# caller skips the browser tests visibly instead of failing for a missing tool.
set -uo pipefail
cd "$(dirname "$0")"

skip() {
    echo "SKIP test-web: $*"
    exit 1
}

command -v node >/dev/null || skip "no node"
[ -d node_modules/puppeteer-core ] || skip "puppeteer-core is not installed (npm ci in tests/web failed)"
command -v emcc >/dev/null || skip "no emcc (Debian's emscripten)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo 'int main(void) { return 0; }' >"$scratch/probe.c"
NODE_PATH=/usr/share/nodejs emcc "$scratch/probe.c" -o "$scratch/probe.js" >"$scratch/emcc.log" 2>&1 ||
    skip "emcc cannot build here: $(tail -n 1 "$scratch/emcc.log")"
reason=$(node probe-browser.mjs 2>&1) || skip "${reason:-chromium did not answer}"
exit 0
