#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it with lintian. Only when run as root
# with CI=true, it then installs the package into this system, starts Quillon through the
# Exec line of its desktop entry on a scratch X server, checks that the window appears with
# the class the entry names, closes it, purges the package and checks that none of its files
# is left.
#
#   tests/package_test.sh BUILD_DIR [MAINTAINER]
#
# MAINTAINER defaults to a placeholder used only for this check.
set -euo pipefail

build=$(realpath "$1")
maintainer=${2:-"Quillon package test <quillon-test@example.org>"}
here=$(dirname "$(realpath "$0")")
work=$build/package-test
rm -rf "$work"
mkdir -p "$work"

"${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$work" \
    -D "QUILLON_MAINTAINER=$maintainer"
debs=("$work"/quillon_*.deb)
deb=${debs[0]}
echo "== lintian $(basename "$deb")"
lintian --fail-on error,warning "$deb"
echo "lintian: no error or warning"

if [[ $(id -u) -ne 0 || "${CI:-}" != true ]]; then
    echo "not root in CI: the package is not installed into this system"
    exit 0
fi

if dpkg-query -W -f='${Status}' quillon 2>/dev/null | grep -q 'ok installed'; then
    echo "quillon is installed already; this test installs and purges it itself" >&2
    exit 1
fi
# The files (not directories) the package brings.
mapfile -t files < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e '/\/$/d')

xvfb=
installed=false
cleanup() {
    if [[ -n "$xvfb" ]]; then
        kill "$xvfb" 2>/dev/null || true
    fi
    if $installed; then
        apt-get purge -y -q quillon >/dev/null 2>&1 || true
    fi
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
echo "== apt-get install $deb"
apt-get install -y -q "$deb"
installed=true

entry=/usr/share/applications/org.quillon.Quillon.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
# Quillon takes no file: drop any field code (%f, %U, ...) the line may hold.
command=$(sed -E 's/ *%[a-zA-Z]//g' <<<"$exec_line")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
echo "Exec=$exec_line, StartupWMClass=$wm_class"

# A scratch X server on a free display number, which it writes to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

(cd / && exec sh -c "exec $command") &
quillon=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$quillon" --name '^Quillon$' |
    head -n 1)
if [[ -z "$window" ]]; then
    echo "no Quillon window appeared" >&2
    exit 1
fi
classes=$(xprop -id "$window" WM_CLASS)
echo "window $window: $classes"
if [[ "$classes" != *", \"$wm_class\"" ]]; then
    echo "the window's class is not the desktop entry's StartupWMClass ($wm_class)" >&2
    exit 1
fi
python3 "$here/close_window.py" "$window"
for _ in $(seq 300); do
    kill -0 "$quillon" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$quillon" 2>/dev/null; then
    echo "Quillon did not end when its window was closed" >&2
    kill "$quillon"
    exit 1
fi
quillon_status=0
wait "$quillon" || quillon_status=$?
if [[ $quillon_status -ne 0 ]]; then
    echo "Quillon ended with status $quillon_status when its window was closed" >&2
    exit 1
fi
echo "Quillon ended when its window was closed"

echo "== apt-get purge quillon"
apt-get purge -y -q quillon
installed=false
left=()
for file in "${files[@]}"; do
    if [[ -e "$file" || -L "$file" ]]; then
        left+=("$file")
    fi
done
package_status=$(dpkg-query -W -f='${Status}' quillon 2>/dev/null || true)
if [[ -n "$package_status" && "$package_status" != *not-installed ]]; then
    left+=("(dpkg still knows quillon: $package_status)")
fi
if ((${#left[@]} > 0)); then
    echo "left behind after purge: ${left[*]}" >&2
    exit 1
fi
echo "purged: none of the package's ${#files[@]} files is left"
