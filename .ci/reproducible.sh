#!/usr/bin/env bash
# Builds the Debian package a second time, from a clone of the same commit in another folder,
# under another umask, time zone and locale, and compares it byte for byte with the package
# of the build tree FIRST_BUILD_DIR (built from this clone's commit). A difference fails and
# shows diffoscope's account of it; both packages are then kept in FIRST_BUILD_DIR/reproducible/.
#
#   .ci/reproducible.sh FIRST_BUILD_DIR
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/release.sh
source "$repo/.ci/lib/release.sh"
first=$(build_folder "$@")
install_missing git diffoscope-minimal
make_test_locales

SOURCE_DATE_EPOCH=$(commit_epoch "$repo")
export SOURCE_DATE_EPOCH
maintainer=$(release_maintainer "$repo")
kept=$first/reproducible
rm -rf "$kept"
step "first package" package_deb "$first" "$kept/first" "$maintainer"

# The second build: its own clone and build folder, configured as the first (its build type;
# the tests are left out, which changes nothing in the program), at its own time.
# shellcheck disable=SC2317 # (run by step)
second() {
    umask 002
    export TZ=Pacific/Chatham LC_ALL=tr_TR.UTF-8
    build_package "$work/elsewhere" "$work/build" "$kept/second" "$maintainer" \
        -DCMAKE_BUILD_TYPE="$build_type"
}
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$first/CMakeCache.txt")
work=$(mktemp -d /tmp/quillon-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
git clone -q --no-hardlinks "$repo" "$work/elsewhere"
step "second package, elsewhere" second

debs=("$kept"/first/quillon_*.deb "$kept"/second/quillon_*.deb)
sha256sum "${debs[@]}"
if cmp -s "${debs[@]}"; then
    echo "The two builds gave the same package, byte for byte"
    rm -rf "$kept"
    exit 0
fi
echo "The two builds gave different packages (kept in $kept); what differs:" >&2
diffoscope --text - --text-color never --max-text-report-size 40000 "${debs[@]}" | head -n 150 >&2 ||
    true
exit 1
