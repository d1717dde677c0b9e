# shellcheck shell=bash
# Debian's emscripten and the dependencies built with it into the dependency cache (sourced, not
# run).

# shellcheck source=deps.sh
source "${BASH_SOURCE[0]%/*}/deps.sh"

# What a WebAssembly build needs, and the other PACKAGEs named: Debian's emscripten and node,
# esbuild (which makes the page's modules one script), ImageMagick (which draws the launchers'
# icons), and the tools that build GMP and MPFR from their sources. npm comes with some builds
# of node (which then conflict with Debian's npm package): it is installed only when missing.
#   install_emscripten [PACKAGE...]
install_emscripten() {
    install_missing cmake make gcc m4 autoconf automake libtool dpkg-dev python3 \
        emscripten esbuild imagemagick nodejs googletest libfast-float-dev nlohmann-json3-dev "$@"
    if ! command -v npm >/dev/null; then
        install_missing npm
    fi
}

# Debian's emscripten finds its JavaScript modules (acorn) only through NODE_PATH.
export_emscripten_node_path() {
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
}

# The folder of the dependency cache for this emscripten; the libraries go into its prefix/.
# "files-mapped": built since GMP's and MPFR's assertions stopped naming the folder they were
# built in (a cache from before would put that folder into the page); "Os": since GMP and MPFR
# are built for size; "wasm-eh": since GoogleTest takes WebAssembly's own exceptions, as the
# project does (the two ways cannot be linked together).
emscripten_cache() {
    dependency_cache "emscripten-$(emcc -dumpversion)-files-mapped-Os-wasm-eh" gmp mpfr4 googletest \
        fast-float
}

# GMP and MPFR (generic C, no assembly; built for size, -Os rather than GMP's own -O2: they are
# most of the web page's download, and GMP's part of it comes out 20 KB smaller with gzip),
# GoogleTest (with WebAssembly's C++ exceptions, as the project is built), the fast_float headers
# and the JSON library's, built for emscripten into the prefix/ of the cache folder DEPS, each
# once; WORK_DIR holds their sources and build trees while they are built:
#   build_emscripten_dependencies DEPS WORK_DIR
build_emscripten_dependencies() {
    local deps=$1 work=$2
    local prefix=$deps/prefix
    cached_build "$deps" gmp-mpfr \
        build_gmp_mpfr "$prefix" "$work" emconfigure emmake --host=none --disable-assembly \
        CFLAGS=-Os
    cached_build "$deps" googletest build_googletest "$prefix" "$work/build-googletest" \
        -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" \
        -DCMAKE_CXX_FLAGS=-fwasm-exceptions -Dgtest_disable_pthreads=ON
    cached_build "$deps" fast-float copy_headers "$prefix" fast_float
    copy_json_headers "$deps" "$prefix"
}
