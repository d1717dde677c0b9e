#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillon, builds it, and then opens the window or runs the
# whole test suite. Safe to run again: it installs only what is missing.
#
#   ./build.sh run    install what is missing, build, open the window
#   ./build.sh test   install what is missing, build, run every test through CTest
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-}
if [[ "$action" != run && "$action" != test ]]; then
    echo "usage: $0 run | test" >&2
    exit 2
fi

# What the project needs from Debian's packages, to build, run and test.
packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    libmpfr-dev libfast-float-dev
    fonts-liberation x11-utils
    # A style with a dark variant, so the window tests check readability under it as well.
    adwaita-qt6
    # The desktops' default fonts and the GTK platform theme, so the window tests check that no
    # text is cut under GNOME's, KDE's and Debian's fonts.
    fonts-cantarell fonts-noto-core fonts-dejavu-core qt6-gtk-platformtheme
    locales
    xvfb xauth
    desktop-file-utils appstream appstream-compose
    dpkg-dev file lintian xdotool python3
)
# The fuzzer's build (fuzz/run.sh) needs clang and its sanitizer and fuzzer runtimes.
if [[ "${QUILLON_CMAKE_ARGS:-}" == *QUILLON_FUZZ=ON* ]]; then
    packages+=(clang libclang-rt-14-dev)
fi

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # A fresh machine may have no package lists yet: fetch them when the first try fails.
    if ! as_root apt-get install -y -q "${missing[@]}"; then
        as_root apt-get update -q
        as_root apt-get install -y -q "${missing[@]}"
    fi
fi

build=${QUILLON_BUILD_DIR:-build}
# QUILLON_CMAKE_ARGS adds options to the configuration, e.g. -DQUILLON_SANITIZE=ON (split at
# blanks).
read -r -a extra_cmake_args <<<"${QUILLON_CMAKE_ARGS:-}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra_cmake_args[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [[ "$action" == run ]]; then
    if [[ -x "$build/app/quillon" ]]; then
        exec "$build/app/quillon"
    fi
    echo "Everything is built, but the window is not built yet; try: $build/tools/quillon-replay"
    exit 0
fi

# The tests prove that results do not depend on the locale: one with a decimal comma, one with
# a narrow no-break space for grouping and one with its own case rules for "i" and "I".
for name in de_DE fr_FR tr_TR; do
    if ! locale -a 2>/dev/null | grep -qx "$name.utf8"; then
        as_root localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
    fi
done
# The click timings (label bench) are left out, and so is the Debian package's test (label
# package), which in CI installs the package into the system; run them with
# ctest --test-dir build -L bench (or -L package).
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" -LE 'bench|package'
