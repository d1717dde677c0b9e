# shellcheck shell=bash
# Builds of a release that anyone can repeat byte for byte (sourced, not run): the
# Debian package, the web page's archive, and the portable zip and the Windows Installer package
# for Windows, built from one commit with the commit's date as
# the build date (SOURCE_DATE_EPOCH, read by Qt's resource compiler, CPack, tar and gzip
# here), whatever the folder, time, time zone, locale and umask of the build. The source and
# build folders are kept out of the objects by cmake/reproducible.cmake.

# shellcheck source=apt.sh
source "${BASH_SOURCE[0]%/*}/apt.sh"
# shellcheck source=emscripten.sh
source "${BASH_SOURCE[0]%/*}/emscripten.sh"
# shellcheck source=mingw.sh
source "${BASH_SOURCE[0]%/*}/mingw.sh"
# shellcheck source=windows-zip.sh
source "${BASH_SOURCE[0]%/*}/windows-zip.sh"
# shellcheck source=windows-msi.sh
source "${BASH_SOURCE[0]%/*}/windows-msi.sh"

# The date of the last commit of the clone SRC, in seconds since 1970.
commit_epoch() {
    git -C "$1" log -1 --format=%ct
}

# The package's maintainer: QUILLON_MAINTAINER, else the committer of the last commit of SRC,
# which anyone who rebuilds that commit gets alike.
release_maintainer() {
    if [[ -n ${QUILLON_MAINTAINER:-} ]]; then
        echo "$QUILLON_MAINTAINER"
    else
        git -C "$1" log -1 --format='%cn <%ce>'
    fi
}

# Refuses a clone SRC with changes or files that are not committed: a release is built from
# its commit only.
require_clean_tree() {
    local changes
    changes=$(git -C "$1" status --porcelain --untracked-files=normal)
    if [[ -n $changes ]]; then
        echo "The tree has changes that are not committed; a release is built from a commit" \
            "only. Commit or stash them first:" >&2
        echo "$changes" >&2
        return 1
    fi
}

# The Debian package of the program built in BUILD_DIR, into OUT_DIR:
#   package_deb BUILD_DIR OUT_DIR MAINTAINER
# cpack writes the ar members' modes as its umask made them: it runs under umask 022, as
# Debian's own package builds do.
package_deb() {
    local build=$1 out=$2 maintainer=$3
    rm -rf "$out"
    mkdir -p "$out"
    (
        umask 022
        cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" \
            -D "QUILLON_MAINTAINER=$maintainer"
    )
}

# The program of the source SRC built in BUILD_DIR (from scratch: the build date is not a
# dependency that make sees), and its Debian package into OUT_DIR; CMAKE_ARGs come after the release's own options:
#   build_package SRC BUILD_DIR OUT_DIR MAINTAINER [CMAKE_ARG...]
build_package() {
    local src=$1 build=$2 out=$3 maintainer=$4
    shift 4
    SOURCE_DATE_EPOCH=$(commit_epoch "$src")
    export SOURCE_DATE_EPOCH
    rm -rf "$build"
    (cd "$src" && cmake --preset default -B "$build" -DQUILLON_BUILD_TESTS=OFF \
        -DQUILLON_MAINTAINER="$maintainer" "$@" >/dev/null)
    cmake --build "$build" --parallel "$(nproc)"
    package_deb "$build" "$out" "$maintainer"
}

# The web page of the source SRC, built with emscripten in BUILD_DIR into BUILD_DIR/ui/web/site/;
# GMP, MPFR and the other libraries come from the dependency cache, built there once:
#   build_page SRC BUILD_DIR
build_page() {
    local src=$1 build deps
    build=$(mkdir -p "$2" && cd "$2" && pwd)
    # shellcheck disable=SC2119 # (no packages beyond the toolchain's)
    install_emscripten
    export_emscripten_node_path
    if git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
        SOURCE_DATE_EPOCH=$(commit_epoch "$src")
        export SOURCE_DATE_EPOCH
    fi
    deps=$(emscripten_cache)
    build_emscripten_dependencies "$deps" "$build/deps"
    ln -sfn "$deps/prefix" "$build/deps-prefix"
    (cd "$src" && cmake --preset wasm -B "$build" -DQUILLON_BUILD_TESTS=OFF >/dev/null)
    # The site's other files are copied when configuring.
    cmake --build "$build" --parallel "$(nproc)" --target quillon-core
}

# The portable zip for Windows of the source SRC, cross-built from scratch in BUILD_DIR, written
# to ZIP, and its Windows Installer package, with the same files, to MSI (absolute paths); GMP,
# MPFR and Qt for MinGW come from the dependency cache, built there once:
#   build_windows_zip SRC BUILD_DIR ZIP MSI
build_windows_zip() {
    local src=$1 build zip=$3 msi=$4
    install_missing "${mingw_packages[@]}" "${windows_msi_packages[@]}" zip
    rm -rf "$2"
    build=$(mkdir -p "$2" && cd "$2" && pwd)
    SOURCE_DATE_EPOCH=$(commit_epoch "$src")
    export SOURCE_DATE_EPOCH
    mingw_dependencies "$build"
    (cd "$src" && cmake --preset mingw -B "$build" -DQUILLON_BUILD_TESTS=OFF >/dev/null)
    cmake --build "$build" --parallel "$(nproc)" --target quillon
    pack_windows_zip "$build" "$mingw_qt_prefix" "$zip"
    pack_windows_msi "$build" "$msi"
}

# The files of the folder SITE as one archive, ARCHIVE (.tar.gz), whose bytes depend on the
# files' names and contents only: sorted names, owner root, every date SOURCE_DATE_EPOCH,
# modes 0644 and 0755, and no name or date in the gzip header. The files lie in a folder
# named TOP:
#   site_archive SITE ARCHIVE TOP
site_archive() {
    local site=$1 archive=$2 top=$3
    LC_ALL=C tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner \
        --mtime="@$SOURCE_DATE_EPOCH" --mode=u=rwX,go=rX --directory="$site" \
        --transform="s,^\\.,$top," . | gzip -9n >"$archive"
}

# SHA256SUMS in the folder DIR: the checksum of each of its other files, in the C locale's order.
write_sha256sums() {
    local sums
    sums=$(cd "$1" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%P\n' |
        LC_ALL=C sort | xargs sha256sum)
    echo "$sums" >"$1/SHA256SUMS"
}
