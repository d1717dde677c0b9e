#!/usr/bin/env bash
# Configures, builds and runs the fuzzer of the scripted driver for a minute (the CTest label
# "fuzz"), in its own build directory with clang, which it installs with its sanitizer and
# fuzzer runtimes when they are missing; build.sh installs the rest.
#
#   fuzz/run.sh                              one minute
#   QUILLON_FUZZ_SECONDS=3600 fuzz/run.sh    longer
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../.ci/lib/apt.sh
source .ci/lib/apt.sh
install_missing clang libclang-rt-14-dev
export QUILLON_PRESET=fuzz QUILLON_BUILD_DIR=${QUILLON_FUZZ_BUILD_DIR:-}
export QUILLON_CMAKE_ARGS=-DQUILLON_FUZZ_SECONDS=${QUILLON_FUZZ_SECONDS:-60}
exec ./build.sh test
