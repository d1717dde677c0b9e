#!/usr/bin/env bash
# Builds the toolkit-free core (evaluator, catalogue, headless quillon-replay) and its
# GoogleTest suites with clang and LLVM's C++ standard library (libc++), runs them, and checks
# that quillon-replay gives byte for byte the output of a native build.
#
#   .ci/libcxx.sh BUILD_DIR
#
# GoogleTest is compiled from Debian's sources with the same standard library into
# BUILD_DIR/deps/prefix, and reused on the next run.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/.ci/common.sh"
build=$(build_folder "$@")
prefix=$build/deps/prefix
jobs=$(nproc)

step "packages" install_missing \
    cmake make g++ python3 clang libc++-14-dev libc++abi-14-dev googletest \
    libmpfr-dev libgmp-dev libfast-float-dev locales

# CMake links C++ programs with the compile flags too, so -stdlib=libc++ reaches the linker.
export CC=clang CXX=clang++ CXXFLAGS=-stdlib=libc++

step "GoogleTest with libc++" cached_build "$build/deps" googletest \
    build_googletest "$prefix" "$build/deps/build-googletest"

# The locales the end-to-end scripts run under (as ./build.sh test makes them).
for name in de_DE fr_FR tr_TR; do
    if ! locale -a 2>/dev/null | grep -qx "$name.utf8"; then
        as_root localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
    fi
done

step "configure" cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLON_WINDOW=OFF -DCMAKE_PREFIX_PATH="$prefix"
step "build" cmake --build "$build" --parallel "$jobs"
step "tests" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" -LE bench
# The native reference is built with the system's own compiler and standard library.
unset CC CXX CXXFLAGS
step "same output as the native build" \
    "$repo/.ci/compare-replay.sh" "$build/compare" "$build/tools/quillon-replay"
