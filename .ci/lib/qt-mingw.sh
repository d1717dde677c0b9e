# shellcheck shell=bash
# Qt for 64-bit Windows, cross-built with MinGW-w64 from Debian's own qt6-base source package
# (sourced by .ci/lib/mingw.sh). Debian ships no Qt for MinGW; the window's
# Windows build needs Core, Gui, Widgets, the "windows" platform plugin and Test (the window's
# driver, tools/window_target, types keys and clicks through QTest; quillon-replay links it).

# The qt6-base version of the host's Qt tools: the cross build must match them, since it runs
# the host's moc, rcc and uic (QT_HOST_PATH=/usr) on its own sources.
qt_host_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev-tools
}

# The patches applied to Debian's source before it is configured.
qt_mingw_patches() {
    compgen -G "$(dirname "${BASH_SOURCE[0]}")/../patches/qtbase-*.patch" | sort || true
}

# The cache folder for Qt built with this MinGW-w64 compiler (e.g. "12-posix" for GCC):
#   qt_mingw_cache GCC_VERSION
# Besides the versions of the compiler and of qt6-base, the key holds a digest of the features
# and patches below, so that changing either builds Qt again instead of reusing an older build.
qt_mingw_cache() {
    local recipe patch
    recipe=$(
        printf '%s\n' "${qt_mingw_features[@]}"
        for patch in $(qt_mingw_patches); do
            cat "$patch"
        done
    )
    recipe=$(sha256sum <<<"$recipe" | cut -c1-12)
    dependency_cache "mingw-w64-gcc-$1-qt-$recipe" gcc-mingw-w64 mingw-w64 qt6-base
}

# Only what a Widgets program needs; each feature off is one less thing to build and ship.
# Tablet events need the "wintab" header, which Debian's source package leaves out. With
# Direct2D off, QtGui has no DirectWrite 3 font database, which the platform plugin would
# otherwise refer to: DirectWrite 3 goes off with it (fonts come through GDI). ICU and
# FreeType would be two more libraries to cross-build. zlib, PCRE2, PNG, JPEG and HarfBuzz come
# from Qt's own copies, as Debian has no MinGW builds of them either.
qt_mingw_features=(
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no
    -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF
    -DFEATURE_freetype=OFF -DFEATURE_testlib=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
)

# Fetches, configures, builds and installs qtbase into PREFIX (shared, release, stripped), with
# its source and build tree in WORK_DIR and its output in WORK_DIR/qt.log:
#   build_qt_mingw PREFIX WORK_DIR TOOLCHAIN_FILE
# Run it through cached_build.
build_qt_mingw() {
    local prefix=$1 work=$2 toolchain=$3 version
    version=$(qt_host_version)
    add_source_entries
    rm -rf "$work/qt-src" "$work/qt-build"
    mkdir -p "$work/qt-src"
    (
        cd "$work/qt-src" || exit 1
        if ! apt-get source -q "qt6-base=$version"; then
            apt_get update -q
            apt-get source -q "qt6-base=$version"
        fi
    )
    local src
    src=$(compgen -G "$work/qt-src/qt6-base-*/CMakeLists.txt" | head -n 1 | xargs dirname)
    local patch
    for patch in $(qt_mingw_patches); do
        patch -d "$src" -p1 --forward <"$patch"
    done
    local log=$work/qt.log
    : >"$log"
    # The host's tools (moc, rcc, uic, syncqt) come from Debian's qt6-base-dev-tools; the
    # target's programs would need wine to run, so none is built.
    if ! cmake -G Ninja -S "$src" -B "$work/qt-build" --toolchain "$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF \
        -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_TESTS_BY_DEFAULT=OFF \
        -DQT_BUILD_EXAMPLES_BY_DEFAULT=OFF -DQT_FEATURE_gui=ON \
        "${qt_mingw_features[@]}" >>"$log" 2>&1 \
        || ! cmake --build "$work/qt-build" --parallel "$(nproc)" >>"$log" 2>&1 \
        || ! cmake --install "$work/qt-build" --strip >>"$log" 2>&1; then
        tail -n 60 "$log"
        echo "building Qt for Windows failed; the whole log: $log" >&2
        return 1
    fi
}
