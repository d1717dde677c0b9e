# shellcheck shell=bash
# The MinGW-w64 cross build's dependencies for 64-bit Windows (sourced by .ci/windows.sh and
# the release): Debian has no MinGW builds of GMP, MPFR and Qt, so they are built from Debian's
# own source packages, with GoogleTest and the fast_float and JSON headers, into the prefix/ of
# folders of the dependency cache (see dependency_cache in deps.sh), kept for every later run,
# from any clone, until the compiler or one of those packages changes version.

# shellcheck source=apt.sh
source "${BASH_SOURCE[0]%/*}/apt.sh"
# shellcheck source=deps.sh
source "${BASH_SOURCE[0]%/*}/deps.sh"
# shellcheck source=qt-mingw.sh
source "${BASH_SOURCE[0]%/*}/qt-mingw.sh"

mingw_triplet=x86_64-w64-mingw32
mingw_toolchain=$(cd "${BASH_SOURCE[0]%/*}/../.." && pwd)/cmake/mingw-w64-x86_64.cmake

# What the cross build needs from Debian, besides wine for running its programs.
# shellcheck disable=SC2034 # (read by the scripts that source this file)
mingw_packages=(
    cmake make ninja-build gcc g++ m4 autoconf automake libtool dpkg-dev perl python3
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest libfast-float-dev
    nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools
)

# The compiler's major version and thread model, e.g. "12-posix".
mingw_gcc_version() {
    "$mingw_triplet-gcc-posix" -dumpversion
}

# The folder of the compiler's runtime DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll), which Qt's
# DLLs need.
mingw_runtime_folder() {
    dirname "$("$mingw_triplet-g++-posix" -print-file-name=libstdc++-6.dll)"
}

# Builds what is missing of the dependencies into the cache and links BUILD_DIR/deps-prefix
# and BUILD_DIR/qt-prefix to them (the mingw preset's CMAKE_PREFIX_PATH); their sources and
# build trees go into BUILD_DIR/deps while they are built. Sets mingw_qt_prefix.
#   mingw_dependencies BUILD_DIR
# "files-mapped": GMP's and MPFR's assertions name no build folder (a cache from before
# would put that folder into quillon.exe).
mingw_dependencies() {
    local build=$1 gcc deps prefix qt
    local work=$build/deps
    gcc=$(mingw_gcc_version)
    deps=$(dependency_cache "mingw-w64-gcc-$gcc-files-mapped" gcc-mingw-w64 mingw-w64 \
        gmp mpfr4 googletest fast-float)
    prefix=$deps/prefix
    ln -sfn "$prefix" "$build/deps-prefix"
    # GMP is configured for the generic x86-64 CPU, so that the programs run on any 64-bit
    # Windows machine. The tools are named outright: the regenerated scripts look for nm
    # before they know sed.
    step "GMP and MPFR for Windows" cached_build "$deps" gmp-mpfr \
        build_gmp_mpfr "$prefix" "$work" env env --host="$mingw_triplet" \
        CC="$mingw_triplet-gcc-posix" AR="$mingw_triplet-ar" NM="$mingw_triplet-nm" \
        RANLIB="$mingw_triplet-ranlib" SED=sed
    step "GoogleTest for Windows" cached_build "$deps" googletest \
        build_googletest "$prefix" "$work/build-googletest" --toolchain "$mingw_toolchain"
    cached_build "$deps" fast-float copy_headers "$prefix" fast_float
    copy_json_headers "$deps" "$prefix"

    qt=$(qt_mingw_cache "$gcc")
    mingw_qt_prefix=$qt/prefix
    ln -sfn "$mingw_qt_prefix" "$build/qt-prefix"
    step "Qt for Windows" cached_build "$qt" qtbase \
        build_qt_mingw "$mingw_qt_prefix" "$work" "$mingw_toolchain"
}
