#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillon, builds it, and then opens the window, runs the
# whole test suite or serves the web page. Safe to run again: it installs only what is missing.
#
#   ./build.sh run    install what is missing, build, open the window
#   ./build.sh test   install what is missing, build, run every test through CTest
#   ./build.sh web    install what is missing, build the web page with emscripten into
#                     build-web/ui/web/site/ and serve it on http://127.0.0.1:8080/ until Ctrl+C
#   ./build.sh release  install what is missing and build, from the commit checked out (the tree
#                     must be clean), the Debian package, the web page's archive, and the
#                     portable zip and the Windows Installer package for Windows into dist/,
#                     with their SHA256SUMS: anyone who builds the same commit gets the same bytes
set -euo pipefail
cd "$(dirname "$0")"
# shellcheck source=.ci/lib/apt.sh
source .ci/lib/apt.sh
# shellcheck source=.ci/lib/steps.sh
source .ci/lib/steps.sh
# shellcheck source=.ci/lib/release.sh
source .ci/lib/release.sh

action=${1:-}
if [[ "$action" != run && "$action" != test && "$action" != web && "$action" != release ]]; then
    echo "usage: $0 run | test | web | release" >&2
    exit 2
fi
if [[ "$action" == release ]]; then
    require_clean_tree .
fi
# The build date of everything built here is that of the last commit (Qt's resource compiler
# writes it into the program), so that two builds of one commit are alike.
if epoch=$(commit_epoch . 2>/dev/null); then
    export SOURCE_DATE_EPOCH=$epoch
fi

# The page: the core compiled to WebAssembly, with GMP, MPFR and the other libraries it needs
# built once into the shared dependency cache (as .ci/wasm.sh builds them), then served from
# this machine only. The page's service worker and its WebAssembly need the right content
# types, which are set here rather than taken from the machine's list.
if [[ "$action" == web ]]; then
    build=${QUILLON_BUILD_DIR:-build-web}
    build_page "$PWD" "$build"
    page=$build/ui/web/site
    if [[ ! -f $page/index.html ]]; then
        echo "The web page was not built: $page/index.html is missing" >&2
        exit 1
    fi
    echo "Quillon's web page ($page) is at http://127.0.0.1:8080/ (Ctrl+C stops the server)"
    exec python3 - "$page" <<'PYTHON'
import functools, http.server, sys
handler = http.server.SimpleHTTPRequestHandler
handler.extensions_map.update({".wasm": "application/wasm", ".js": "text/javascript",
                               ".webmanifest": "application/manifest+json"})
http.server.test(HandlerClass=functools.partial(handler, directory=sys.argv[1]),
                 port=8080, bind="127.0.0.1")
PYTHON
fi

# What the project needs from Debian's packages, to build, run and test.
packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    libmpfr-dev libfast-float-dev
    # The tests read the printed lines with a JSON library.
    nlohmann-json3-dev
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
    # The keyboard test reads the window back through the accessibility bus.
    at-spi2-core python3-pyatspi dbus
)
install_missing "${packages[@]}"

# A release: built from scratch in build-release/, build-release-web/ and
# build-release-windows/, then the package, the page's files as one .tar.gz, the Windows zip,
# the Windows Installer package and the SHA256SUMS of all four in dist/. The package's
# maintainer is the committer of the commit (or QUILLON_MAINTAINER), the same for everyone who
# rebuilds it.
if [[ "$action" == release ]]; then
    maintainer=$(release_maintainer .)
    step "package" build_package "$PWD" build-release build-release/package "$maintainer"
    rm -rf build-release-web
    step "web page" build_page "$PWD" build-release-web
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-release/CMakeCache.txt)
    rm -rf dist
    mkdir dist
    cp build-release/package/quillon_*.deb dist/
    site_archive build-release-web/ui/web/site "dist/quillon-web_$version.tar.gz" \
        "quillon-web_$version"
    step "Windows zip and package" build_windows_zip "$PWD" build-release-windows \
        "$PWD/dist/quillon-$version-windows-x86_64.zip" "$PWD/dist/quillon-$version-x64.msi"
    write_sha256sums dist
    echo "Release of $(git rev-parse --short HEAD) in dist/ (maintainer $maintainer):"
    cat dist/SHA256SUMS
    exit 0
fi

# The configuration is the preset QUILLON_PRESET (default, or sanitize for instance), in its own
# build folder unless QUILLON_BUILD_DIR names another; QUILLON_CMAKE_ARGS adds options to it
# (split at blanks). The folder is the one CMake says it wrote.
preset=${QUILLON_PRESET:-default}
read -r -a extra_cmake_args <<<"${QUILLON_CMAKE_ARGS:-}"
build=$(cmake --preset "$preset" ${QUILLON_BUILD_DIR:+-B "$QUILLON_BUILD_DIR"} \
    "${extra_cmake_args[@]}" | sed -n 's/^-- Build files have been written to: //p')
cmake --build "$build" --parallel "$(nproc)"

if [[ "$action" == run ]]; then
    if [[ -x "$build/app/quillon" ]]; then
        exec "$build/app/quillon"
    fi
    echo "Everything is built, but the window is not built yet; try: $build/tools/quillon-replay"
    exit 0
fi

# The tests prove that results do not depend on the locale.
make_test_locales
# The click timings (label bench) are left out, and so is the Debian package's test (label
# package), which in CI installs the package into the system; run them with
# ctest --test-dir build -L bench (or -L package).
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" -LE 'bench|package'
