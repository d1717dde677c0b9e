#!/usr/bin/env bash
# Cross-builds the whole program, quillon.exe with its window, quillon-replay and the test
# suites for 64-bit Windows with MinGW-w64, runs the tests under wine64 in a private prefix on
# a virtual X server (Xvfb), checks that quillon-replay gives byte for byte the output of a
# native build, headless and through the window, and packs the portable zip
# quillon-1.00-windows-x86_64.zip into BUILD_DIR, checked to run where it is unpacked.
#
#   .ci/windows.sh BUILD_DIR
#
# GMP, MPFR and Qt for MinGW come from the dependency cache (.ci/lib/mingw.sh), built there from
# Debian's source packages on the first run; BUILD_DIR/deps-prefix and BUILD_DIR/qt-prefix link
# to them. Each run's wine prefix is a copy of one made once for each version of wine and kept
# in the same cache.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/mingw.sh
source "$repo/.ci/lib/mingw.sh"
# shellcheck source=lib/windows-zip.sh
source "$repo/.ci/lib/windows-zip.sh"
build=$(build_folder "$@")
jobs=$(nproc)

step "packages" install_missing "${mingw_packages[@]}" wine64 xvfb x11-utils imagemagick zip \
    unzip
mingw_dependencies "$build"

# A private wine prefix, with no debug chatter and no offer to install Mono or Gecko. The
# window's programs show their windows on a virtual X server of this run's own, started below.
export WINEPREFIX=$build/wine DISPLAY="" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)
wineserver=$(command -v /usr/lib/wine/wineserver || command -v wineserver64 || command -v wineserver)
# Making a wine prefix takes half a minute: one is made for each version of wine, kept in the
# dependency cache, and copied for each run.
wine_template=$(dependency_cache wine-prefix wine)
make_wine_template() {
    rm -rf "$wine_template/prefix"
    WINEPREFIX=$wine_template/prefix "$wine" wineboot --init
    WINEPREFIX=$wine_template/prefix "$wineserver" -w
}
# Xvfb picks a free display number itself and writes it to a pipe once it accepts clients;
# DISPLAY names it.
xvfb_pid=""
start_xvfb() {
    local fifo=$build/xvfb.display display
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$build/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 30 display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$display
}
# One wine server for all the runs below, with wine's own background processes started once
# with their output in a log: a background process started by a test's first run would keep
# that test's output pipe open, and CTest would wait for it. All end when the script ends.
start_wine() {
    cached_build "$wine_template" prefix make_wine_template >"$build/wine.log" 2>&1
    rm -rf "$WINEPREFIX"
    cp -a "$wine_template/prefix" "$WINEPREFIX"
    "$wineserver" -p
    "$wine" wineboot >>"$build/wine.log" 2>&1
}
stop() {
    "$wineserver" -k 2>/dev/null || true
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop EXIT
start_xvfb
echo "Xvfb on display $DISPLAY"
step "wine prefix" start_wine
# The programs start through wine-run.sh, which starts one again when wine itself failed to.
# They find Qt's DLLs in the cache (Qt finds its plugins beside them) and the compiler's
# runtime, which Qt's DLLs need, among the compiler's own files.
export QUILLON_WINE=$wine
winepath_of() {
    local folder
    for folder in "$@"; do
        printf 'Z:%s;' "${folder//\//\\}"
    done
}
WINEPATH=$(winepath_of "$mingw_qt_prefix/bin" "$(mingw_runtime_folder)" \
    "/usr/$mingw_triplet/lib")
export WINEPATH

step "configure" cmake -S "$repo" --preset mingw -B "$build" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/.ci/wine-run.sh"
step "build" cmake --build "$build" --parallel "$jobs"
step "tests under wine" ctest --test-dir "$build" --output-on-failure --parallel "$jobs" -LE bench
step "same output as the native build" \
    "$repo/.ci/compare-replay.sh" "$build/compare" "$repo/.ci/wine-run.sh" \
    "$build/tools/quillon-replay.exe"
step "same output through the window" env QUILLON_COMPARE_WINDOW=1 \
    "$repo/.ci/compare-replay.sh" "$build/compare-window" "$repo/.ci/wine-run.sh" \
    "$build/tools/quillon-replay.exe"
step "the fuzz corpus, as the native build" \
    "$repo/.ci/compare-corpus.sh" "$build/corpus" "$repo/.ci/wine-run.sh" \
    "$build/tools/quillon-replay.exe"

# The zip, unpacked into a folder of its own and started there with only wine's own DLLs on the
# path: the window must open, close on a WM_CLOSE as when its user closes it, with status 0,
# leave the folder as it was, and have loaded from it exactly the zip's DLLs.
zip=$build/quillon-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")-windows-x86_64.zip
# (shellcheck 0.9 takes a function called only through step as unreachable.)
# shellcheck disable=SC2317
check_zip() {
    local unpacked=$build/zip-check log=$build/zip-loaddll.log
    rm -rf "$unpacked"
    mkdir -p "$unpacked"
    unzip -q "$zip" -d "$unpacked"
    local folder
    folder=$(compgen -G "$unpacked/quillon-*" | head -n 1)
    local before after
    before=$(cd "$folder" && find . -printf '%p %s %T@\n' | sort)
    (cd "$folder" && WINEPATH="" WINEDEBUG=-all,+loaddll exec "$wine" quillon.exe) 2>"$log" &
    local pid=$! tries
    for ((tries = 0; tries < 120; ++tries)); do
        if xwininfo -root -tree 2>/dev/null | grep -q '"Quillon"'; then
            break
        fi
        sleep 0.5
    done
    # Its picture, once it has painted, for docs/screenshot-windows.png.
    if ((tries < 120)); then
        sleep 2
        import -window "$(xwininfo -name Quillon | awk '/Window id:/ { print $4 }')" \
            "$build/screenshot-windows.png" || true
    fi
    "$wine" taskkill /im quillon.exe >/dev/null 2>&1 || true
    local status=0
    wait "$pid" || status=$?
    if ((tries == 120 || status != 0)); then
        echo "quillon.exe from the zip did not open its window or did not end well (status $status)" >&2
        tail -n 20 "$log" >&2
        return 1
    fi
    after=$(cd "$folder" && find . -printf '%p %s %T@\n' | sort)
    if [[ $before != "$after" ]]; then
        echo "quillon.exe changed its folder:" >&2
        diff <(echo "$before") <(echo "$after") >&2
        return 1
    fi
    # wine logs each module it loads as 'Loaded L"Z:\\folder\\name.dll" at ...', with its
    # backslashes doubled: the names below the folder, with slashes.
    local loaded expected
    loaded=$(grep -o 'Loaded L"[^"]*"' "$log" | sed 's/^Loaded L"//; s/"$//; s|\\\\|/|g' \
        | awk -v prefix="Z:$folder/" 'tolower(substr($0, 1, length(prefix))) == tolower(prefix) {
            print substr($0, length(prefix) + 1) }' \
        | grep -v -x -i quillon.exe | sort -u)
    expected=$(printf '%s\n' "${windows_zip_dlls[@]}" | sort)
    echo "DLLs loaded from the folder:"
    local dll
    while read -r dll; do
        echo "  $dll"
    done <<<"$loaded"
    if [[ ${loaded,,} != "${expected,,}" ]]; then
        echo "quillon.exe loads other DLLs from its folder than the zip holds:" >&2
        diff <(echo "$expected") <(echo "$loaded") >&2
        return 1
    fi
}
step "portable zip" pack_windows_zip "$build" "$mingw_qt_prefix" "$zip"
unzip -l "$zip"

# The same build packed again under another umask, time zone and locale gives the same bytes.
same_zip_again() {
    local again=$build/zip-again.zip
    (umask 077 && TZ=Pacific/Kiritimati LC_ALL=C pack_windows_zip "$build" "$mingw_qt_prefix" "$again")
    cmp "$zip" "$again" || { echo "packed again, the zip differs" >&2; return 1; }
}
step "the same zip when packed again" same_zip_again
step "the zip runs where it is unpacked" check_zip
