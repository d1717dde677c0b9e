#!/usr/bin/env bash
# Cross-builds the toolkit-free core (evaluator, catalogue, headless quillon-replay) and its
# GoogleTest suites for 64-bit Windows with MinGW-w64, runs them under wine64 in a private
# prefix, and checks that quillon-replay gives byte for byte the output of a native build.
#
#   .ci/windows.sh BUILD_DIR
#
# Debian has no MinGW builds of GMP and MPFR: they are built from Debian's own source packages,
# with GoogleTest and the fast_float headers, into the prefix/ of a folder of the dependency
# cache (see dependency_cache in .ci/lib/deps.sh), kept for every later run, from any clone,
# until the compiler or one of those packages changes version; BUILD_DIR/deps-prefix links to
# it. Each run's wine prefix is a copy of one made once for each version of wine and kept in
# the same cache. Everything runs headless: wine needs no display for console programs.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/deps.sh
source "$repo/.ci/lib/deps.sh"
build=$(build_folder "$@")
# The sources and build trees of the dependencies, needed only while they are built.
work=$build/deps
triplet=x86_64-w64-mingw32
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

step "packages" install_missing \
    cmake make gcc g++ m4 autoconf automake libtool dpkg-dev python3 \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 \
    googletest libfast-float-dev nlohmann-json3-dev

# The compiler's major version and thread model, e.g. "12-posix".
gcc=$("$triplet-gcc-posix" -dumpversion)
deps=$(dependency_cache "mingw-w64-gcc-$gcc" gcc-mingw-w64 mingw-w64 \
    gmp mpfr4 googletest fast-float)
prefix=$deps/prefix
ln -sfn "$prefix" "$build/deps-prefix"

# GMP is configured for the generic x86-64 CPU, so that the programs run on any 64-bit Windows
# machine. The tools are named outright: the regenerated scripts look for nm before they know
# sed.
step "GMP and MPFR for Windows" cached_build "$deps" gmp-mpfr \
    build_gmp_mpfr "$prefix" "$work" env env --host="$triplet" CC="$triplet-gcc-posix" \
    AR="$triplet-ar" NM="$triplet-nm" RANLIB="$triplet-ranlib" SED=sed
step "GoogleTest for Windows" cached_build "$deps" googletest \
    build_googletest "$prefix" "$work/build-googletest" --toolchain "$toolchain"
cached_build "$deps" fast-float copy_headers "$prefix" fast_float
copy_json_headers "$deps" "$prefix"

# A private wine prefix, with no display, no debug chatter and no offer to install Mono or
# Gecko.
export WINEPREFIX=$build/wine DISPLAY="" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)
wineserver=$(command -v /usr/lib/wine/wineserver || command -v wineserver64 || command -v wineserver)
# Making a wine prefix takes half a minute: one is made for each version of wine, kept in the
# dependency cache, and copied for each run.
wine_template=$(dependency_cache wine-prefix wine)
make_wine_template() {
    rm -rf "$wine_template/prefix"
    WINEPREFIX=$wine_template/prefix "$wine" wineboot --init
    WINEPREFIX=$wine_template/prefix "$wineserver" -w
}
# One wine server for all the runs below, with wine's own background processes started once
# with their output in a log: a background process started by a test's first run would keep
# that test's output pipe open, and CTest would wait for it. All end when the script ends.
start_wine() {
    cached_build "$wine_template" prefix make_wine_template >"$build/wine.log" 2>&1
    rm -rf "$WINEPREFIX"
    cp -a "$wine_template/prefix" "$WINEPREFIX"
    "$wineserver" -p
    "$wine" wineboot >>"$build/wine.log" 2>&1
}
trap '"$wineserver" -k 2>/dev/null || true' EXIT
step "wine prefix" start_wine
# The programs start through wine-run.sh, which starts one again when wine itself failed to.
export QUILLON_WINE=$wine

step "configure" cmake -S "$repo" --preset mingw -B "$build" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/.ci/wine-run.sh"
step "build" cmake --build "$build" --parallel "$jobs"
step "tests under wine" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" -LE bench
step "same output as the native build" \
    "$repo/.ci/compare-replay.sh" "$build/compare" "$repo/.ci/wine-run.sh" \
    "$build/tools/quillon-replay.exe"
step "the fuzz corpus, as the native build" \
    "$repo/.ci/compare-corpus.sh" "$build/corpus" "$repo/.ci/wine-run.sh" \
    "$build/tools/quillon-replay.exe"
