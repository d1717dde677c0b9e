# shellcheck shell=bash
# The portable zip of the Windows program (sourced by .ci/windows.sh): quillon.exe, the Qt DLLs
# and platform plugin it loads, the compiler's runtime that Qt's DLLs need, the licence texts
# and a short README, in one folder that runs wherever it is unpacked. It needs qt-mingw.sh,
# sourced first, for the Qt recipe it records, and mingw.sh, for the compiler's runtime.

# The DLLs beside quillon.exe, as paths inside the zip's folder. .ci/windows.sh checks that the
# program, run from an unpacked zip under wine, loads exactly these.
windows_zip_dlls=(
    Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll
    libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll
)

# Writes the zip: pack_windows_zip BUILD_DIR QT_PREFIX ZIP
# BUILD_DIR is a configured and built MinGW build with the window; QT_PREFIX is the Qt it links.
# Every file gets the time of the last commit (or SOURCE_DATE_EPOCH) and a fixed mode, and the
# entries are in a fixed order, so that the same build gives the same zip.
pack_windows_zip() {
    local build=$1 qt=$2 zip=$3 triplet=x86_64-w64-mingw32
    local version repo name
    repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    name=quillon-$version-windows-x86_64
    # (A copy of the source without its history takes the time of packing.)
    local stamp
    stamp=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct 2>/dev/null || date +%s)}
    local stage=$build/zip/$name
    rm -rf "$build/zip"
    mkdir -p "$stage/platforms" "$stage/licences"
    # strip writes the time into the program's header: the same time as the files'.
    SOURCE_DATE_EPOCH=$stamp "$triplet-strip" -o "$stage/quillon.exe" "$build/app/quillon.exe"

    # Qt's DLLs were stripped when they were installed; the compiler's runtime DLLs come with
    # their symbols (libstdc++-6.dll is 23 MB of which 2 MB is code), which are stripped here.
    local dll source runtime
    runtime=$(mingw_runtime_folder)
    for dll in "${windows_zip_dlls[@]}"; do
        case $dll in
            Qt6*) cp "$qt/bin/$dll" "$stage/$dll" ;;
            platforms/*) cp "$qt/plugins/$dll" "$stage/$dll" ;;
            *)
                source=$runtime/$dll
                if [[ $dll == libwinpthread-1.dll ]]; then
                    source=/usr/$triplet/lib/$dll
                fi
                SOURCE_DATE_EPOCH=$stamp "$triplet-strip" --strip-unneeded -o "$stage/$dll" \
                    "$source"
                ;;
        esac
    done

    # The licences: Quillon's own; Qt's (LGPL 3, with Debian's record of its copyrights and where
    # its source comes from); GMP's and MPFR's, linked into quillon.exe (LGPL 3); and those of
    # the compiler's runtime DLLs (GPL 3 with the GCC Runtime Library Exception; winpthreads'
    # own). Each comes with the copyright file of the Debian package it was built from.
    local licences=$stage/licences qt_version
    qt_version=$(qt_host_version)
    cp "$repo/LICENSE" "$licences/Quillon.txt"
    cp /usr/share/common-licenses/LGPL-3 "$licences/LGPL-3.txt"
    cp /usr/share/common-licenses/GPL-3 "$licences/GPL-3.txt"
    cp /usr/share/common-licenses/GPL-2 "$licences/GPL-2.txt"
    # The host's Qt comes from the same source package and version.
    cp /usr/share/doc/libqt6core6/copyright "$licences/Qt-copyright.txt"
    {
        echo "Qt $qt_version (Qt Core, Qt Gui, Qt Widgets and the windows platform plugin)"
        echo "is used under the GNU Lesser General Public License version 3 (LGPL-3.txt,"
        echo "which refers to GPL-3.txt). It was built from Debian's qt6-base source package,"
        echo "version $qt_version, which you can get with"
        echo
        echo "    apt-get source qt6-base=$qt_version"
        echo
        echo "on Debian 12, or from https://snapshot.debian.org/package/qt6-base/$qt_version/."
        echo "Quillon's recipe (.ci/lib/qt-mingw.sh in Quillon's source) configures it with"
        echo
        # shellcheck disable=SC2154 # (qt-mingw.sh sets it)
        printf '    %s\n' "${qt_mingw_features[@]}"
        echo
        local patch patches
        patches=$(qt_mingw_patches)
        if [[ -z $patches ]]; then
            echo "and changes none of its source."
        else
            echo "and applies these changes to its source:"
            for patch in $patches; do
                echo
                cat "$patch"
            done
        fi
        echo
        echo "You may replace the Qt DLLs with your own build of the same version."
    } >"$licences/Qt.txt"
    cp /usr/share/doc/libgmp10/copyright "$licences/GMP-copyright.txt"
    cp /usr/share/doc/libmpfr6/copyright "$licences/MPFR-copyright.txt"
    cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright \
        "$licences/GCC-runtime-copyright.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$licences/winpthreads-copyright.txt"

    sed "s/@VERSION@/$version/g" "$repo/packaging/windows/README.txt" >"$stage/README.txt"

    # Text files with Windows line ends, for Notepad.
    local text
    for text in "$stage"/README.txt "$licences"/*.txt; do
        sed -i 's/\r*$/\r/' "$text"
    done
    # Modes as a umask of 022 makes them, whatever the umask of the build.
    chmod -R u=rwX,go=rX "$stage"
    find "$stage" -exec touch -h -d "@$stamp" {} +
    rm -f "$zip"
    (cd "$build/zip" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$zip" -@)
}
