#!/usr/bin/env bash
# Builds the toolkit-free core (evaluator, catalogue, headless quillon-replay) and its
# GoogleTest suites with clang and LLVM's C++ standard library (libc++), runs them, and checks
# that quillon-replay gives byte for byte the output of a native build, on the end-to-end
# scripts, generated clicks and the fuzz corpus (compare-corpus.sh).
#
#   .ci/libcxx.sh BUILD_DIR
#
# GoogleTest is compiled from Debian's sources with the same standard library into the
# prefix/ of a folder of the dependency cache (see dependency_cache in .ci/lib/deps.sh), kept
# for every later run, from any clone, until clang or GoogleTest changes version;
# BUILD_DIR/deps-prefix links to it.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/deps.sh
source "$repo/.ci/lib/deps.sh"
build=$(build_folder "$@")
jobs=$(nproc)

step "packages" install_missing \
    cmake make g++ python3 clang libc++-14-dev libc++abi-14-dev googletest \
    libmpfr-dev libgmp-dev libfast-float-dev nlohmann-json3-dev locales

# GoogleTest is built with the compiler and flags of the libcxx preset. CMake links C++
# programs with the compile flags too, so -stdlib=libc++ reaches the linker.
export CC=clang CXX=clang++ CXXFLAGS=-stdlib=libc++

llvm=$(clang -dumpversion | cut -d . -f 1)
deps=$(dependency_cache "clang-$llvm-libc++" "llvm-toolchain-$llvm" googletest)
prefix=$deps/prefix
ln -sfn "$prefix" "$build/deps-prefix"

step "GoogleTest with libc++" cached_build "$deps" googletest \
    build_googletest "$prefix" "$build/deps/build-googletest"
step "locales" make_test_locales

step "configure" cmake -S "$repo" --preset libcxx -B "$build"
step "build" cmake --build "$build" --parallel "$jobs"
step "tests" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" -LE bench
# The native reference is built with the system's own compiler and standard library.
unset CC CXX CXXFLAGS
step "same output as the native build" \
    "$repo/.ci/compare-replay.sh" "$build/compare" "$build/tools/quillon-replay"
step "the fuzz corpus, as the native build" \
    "$repo/.ci/compare-corpus.sh" "$build/corpus" "$build/tools/quillon-replay"
