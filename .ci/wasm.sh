#!/usr/bin/env bash
# Builds the toolkit-free core (evaluator, catalogue, quillon-replay for node), its GoogleTest
# suites and the web page for WebAssembly with Debian's emscripten, runs the suites under node,
# checks that the node build of quillon-replay gives byte for byte the output of a native build,
# and runs the page's browser tests in Debian's headless Chromium.
#
#   .ci/wasm.sh BUILD_DIR
#
# GMP and MPFR (from Debian's source packages), GoogleTest and the fast_float headers are built
# for emscripten into the shared dependency cache outside the clone (dependency_cache in
# .ci/lib/deps.sh), and reused by every later run, from any clone, and by ./build.sh web.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/emscripten.sh
source "$repo/.ci/lib/emscripten.sh"
build=$(build_folder "$@")
jobs=$(nproc)

# chromium runs the browser tests (nothing downloads a browser), which check the boxes' font.
step "packages" install_emscripten chromium fonts-liberation
export_emscripten_node_path
deps=$(emscripten_cache)
prefix=$deps/prefix
echo "Dependency cache: $prefix"
ln -sfn "$prefix" "$build/deps-prefix"
step "GMP, MPFR and GoogleTest for emscripten" build_emscripten_dependencies "$deps" "$build/deps"

# The libraries are found in the cache only, never among the build machine's own.
step "configure" cmake -S "$repo" --preset wasm -B "$build"
step "build" cmake --build "$build" --parallel "$jobs"
step "tests under node" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" \
    -LE 'bench|browser'
step "same output as the native build" \
    "$repo/.ci/compare-replay.sh" "$build/compare" node "$build/tools/quillon-replay.js"
step "the fuzz corpus, as the native build" \
    "$repo/.ci/compare-corpus.sh" "$build/corpus" node "$build/tools/quillon-replay.js"

# ---- The web page's browser tests (CTest label browser), in headless Chromium --------------
# Their tools come from npm, pinned by the page's package-lock.json and installed with npm ci by
# the tests' own first step. Until the page exists there are none to run; once it does, finding
# none is a failure.
browser_tests() {
    local if_none=error
    if [[ ! -f $repo/ui/web/index.html ]]; then
        echo "The page is not there yet: no browser tests to run"
        if_none=ignore
    fi
    ctest --test-dir "$build" -L browser --output-on-failure --no-tests="$if_none"
}
step "browser tests" browser_tests
