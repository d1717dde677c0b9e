#!/usr/bin/env bash
# The web page's figures: navigation to the first paint and to the first possible click, on a
# first and a second visit, each beside a floor (the same page without script) taken in the
# same run; the compressed size of what a first visit downloads; and one press of "Do It!" in
# the page beside the native click.
#
#   bench/web.sh [WEB_BUILD_DIR [NATIVE_BUILD_DIR]]    (defaults: build-web and build)
#
# WEB_BUILD_DIR is an emscripten build (./build.sh web makes build-web); the native click
# timings are taken from NATIVE_BUILD_DIR/bench/click_bench when it is there (./build.sh test).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
web=${1:-$repo/build-web}
native=${2:-$repo/build}
tools=$web/ui/web/tools
if [[ ! -f $web/ui/web/site/quillon-core.wasm ]]; then
    echo "no page built in $web: run ./build.sh web first" >&2
    exit 1
fi
cmake -DDIR="$tools" -P "$repo/ui/web/tools/npm_ci.cmake"
arguments=(--site "$web/ui/web/site")
if [[ -x $native/bench/click_bench ]]; then
    arguments+=(--click-bench "$native/bench/click_bench")
else
    echo "($native/bench/click_bench is not built: the native click timings are left out)"
fi
node "$tools/web_bench.mjs" "${arguments[@]}"
