# shellcheck shell=bash
# The Windows Installer package of the Windows program (sourced by .ci/windows.sh and the
# release): built with wixl from packaging/windows/quillon.wxs out of the folder that
# pack_windows_zip (windows-zip.sh) staged, so that it installs exactly the zip's files.

# What building and reading the package needs from Debian: wixl, msitools (msiinfo, msiextract)
# and the library that rewrites its summary information.
# shellcheck disable=SC2034 # (read by the scripts that source this file)
windows_msi_packages=(wixl msitools python3-olefile)

# A GUID derived from TEXT (a name-based UUID), in the braces and capitals of Windows Installer:
#   derived_guid TEXT
derived_guid() {
    /usr/bin/python3 -c 'import sys, uuid
print("{%s}" % str(uuid.uuid5(uuid.NAMESPACE_URL, sys.argv[1])).upper())' "$1"
}

# Writes the package: pack_windows_msi BUILD_DIR MSI [VERSION]
# BUILD_DIR holds the zip's folder staged by pack_windows_zip (BUILD_DIR/zip/NAME); VERSION is
# the product's version, the project's by default (a test builds a lower one to upgrade from).
# The product code follows the version, as a major upgrade wants; the package code and the
# summary's dates follow the commit (or SOURCE_DATE_EPOCH), which wixl would otherwise draw at
# random and take from the clock.
pack_windows_msi() {
    local build=$1 msi=$2 version=${3:-}
    local repo stage
    repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    stage=$(compgen -G "$build/zip/quillon-*-windows-x86_64" | head -n 1)
    if [[ -z $stage ]]; then
        echo "no staged zip folder in $build/zip: pack the zip first" >&2
        return 1
    fi
    if [[ -z $version ]]; then
        version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    fi
    local stamp commit
    stamp=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct 2>/dev/null || date +%s)}
    commit=$(git -C "$repo" rev-parse HEAD 2>/dev/null || echo "$stamp")
    # wixl finds the sources by names relative to the folder it runs in, not absolute ones.
    cp "$repo/ui/icons/quillon.ico" "$build/zip/quillon.ico"
    rm -f "$msi"
    (cd "$build/zip" && wixl --arch x64 --output "$msi" \
        --define Stage="${stage##*/}" --define Icon=quillon.ico --define Version="$version" \
        --define ProductCode="$(derived_guid "quillon-product-$version")" \
        "$repo/packaging/windows/quillon.wxs")
    /usr/bin/python3 "$repo/packaging/windows/summary.py" "$msi" \
        "$(derived_guid "quillon-package-$version-$commit")" "$stamp"
}
