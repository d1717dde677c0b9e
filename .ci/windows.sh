#!/usr/bin/env bash
# Cross-builds the whole program, quillon.exe with its window, quillon-replay and the test
# suites for 64-bit Windows with MinGW-w64, runs the tests under wine64 in a private prefix on
# a virtual X server (Xvfb), checks that quillon-replay gives byte for byte the output of a
# native build, headless and through the window, packs the portable zip
# quillon-1.00-windows-x86_64.zip into BUILD_DIR, checked to run where it is unpacked, and the
# Windows Installer package quillon-1.00-x64.msi with the same files, checked to install,
# upgrade, start and uninstall under wine.
#
#   .ci/windows.sh BUILD_DIR
#
# GMP, MPFR and Qt for MinGW come from the dependency cache (.ci/lib/mingw.sh), built there from
# Debian's source packages on the first run; BUILD_DIR/deps-prefix and BUILD_DIR/qt-prefix link
# to them. Each run's wine prefix is a copy of one made once for each version of wine and of
# the fonts, and kept in the same cache (.ci/lib/wine.sh).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/mingw.sh
source "$repo/.ci/lib/mingw.sh"
# shellcheck source=lib/windows-zip.sh
source "$repo/.ci/lib/windows-zip.sh"
# shellcheck source=lib/windows-msi.sh
source "$repo/.ci/lib/windows-msi.sh"
# shellcheck source=lib/wine.sh
source "$repo/.ci/lib/wine.sh"
build=$(build_folder "$@")
jobs=$(nproc)

step "packages" install_missing "${mingw_packages[@]}" "${wine_packages[@]}" \
    "${windows_msi_packages[@]}" xvfb x11-utils imagemagick zip unzip
mingw_dependencies "$build"

# The programs run under wine in this build's own prefix (wine.sh: made from a template with
# Windows' font metrics, and WINEPATH to Qt's and the compiler's DLLs); they show their windows
# on a virtual X server of this run's own, started below.
export DISPLAY=""
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
    "$wineserver" -p
    "$wine" wineboot >>"$build/wine.log" 2>&1
}
stop() {
    if [[ -n ${wineserver:-} ]]; then
        "$wineserver" -k 2>/dev/null || true
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop EXIT
start_xvfb
echo "Xvfb on display $DISPLAY"
# A fresh copy of the template prefix for each run (the template is made once, in the cache).
wine_environment "$build" 1 2>"$build/wine.log"
step "wine prefix" start_wine

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
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/quillon-$version-windows-x86_64.zip
# Starts FOLDER/quillon.exe with only wine's own DLLs on the path and wine's log of the DLLs
# it loads in LOG: its window must open (its picture, once painted, goes to SCREENSHOT) and
# close on a WM_CLOSE as when its user closes it, with status 0.
#   shows_its_window FOLDER LOG SCREENSHOT
shows_its_window() {
    local folder=$1 log=$2 screenshot=$3
    (cd "$folder" && WINEPATH="" WINEDEBUG=-all,+loaddll exec "$wine" quillon.exe) 2>"$log" &
    local pid=$! tries
    for ((tries = 0; tries < 120; ++tries)); do
        if xwininfo -root -tree 2>/dev/null | grep -q '"Quillon"'; then
            break
        fi
        sleep 0.5
    done
    if ((tries < 120)); then
        sleep 2
        import -window "$(xwininfo -name Quillon | awk '/Window id:/ { print $4 }')" \
            "$screenshot" || true
    fi
    "$wine" taskkill /im quillon.exe >/dev/null 2>&1 || true
    local status=0
    wait "$pid" || status=$?
    if ((tries == 120 || status != 0)); then
        echo "$folder/quillon.exe did not open its window or did not end well (status $status)" >&2
        tail -n 20 "$log" >&2
        return 1
    fi
    echo "$folder/quillon.exe opened its window and closed with status 0"
}
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
    shows_its_window "$folder" "$log" "$build/screenshot-windows.png" || return 1
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

# The Windows Installer package, from the zip's folder as packed: its summary and its tables of
# files, shortcuts and registry values, for the log.
msi=$build/quillon-$version-x64.msi
step "Windows Installer package" pack_windows_msi "$build" "$msi"
msiinfo suminfo "$msi"
for table in File Shortcut Registry RemoveFile Upgrade; do
    echo "-- $table"
    msiinfo export "$msi" "$table" | tail -n +4
done

# It holds the zip's files, byte for byte, and nothing more.
# shellcheck disable=SC2317
same_files_as_zip() {
    local out=$build/msi-files stage installed
    rm -rf "$out"
    mkdir -p "$out"
    (cd "$out" && msiextract "$msi" >/dev/null)
    stage=$(compgen -G "$build/zip/quillon-*-windows-x86_64" | head -n 1)
    installed=$(dirname "$(find "$out" -name quillon.exe | head -n 1)")
    if ! diff <(cd "$stage" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) \
        <(cd "$installed" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum); then
        echo "the package's files are not the zip's" >&2
        return 1
    fi
    echo "the package holds the zip's $(find "$installed" -type f | wc -l) files, byte for byte"
}
step "the package holds the zip's files" same_files_as_zip

# Installed silently for the current user (over a package of a lower version, which it must
# replace), started, and removed silently, in this run's wine prefix: the files, the shortcut
# and the entry in Installed apps where they belong, and afterwards no file or folder and no
# registry value of its own left. Wine's menu builder is off (wine.sh), so no Linux desktop
# entry is made for the shortcut.
# shellcheck disable=SC2317
check_msi() {
    local user programs menu lower=$build/quillon-0.1-x64.msi
    user=${USER:-$(id -un)}
    programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Quillon
    menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    # Everything on C: but wine's temporary files and logs, and what the registry holds about
    # Quillon, its product codes and their packed forms (the Installer's own keys).
    local codes=() version_of
    for version_of in 0.1 "$version"; do
        codes+=("$(derived_guid "quillon-product-$version_of")")
    done
    files() {
        (cd "$WINEPREFIX/drive_c" && find . | grep -v -E '^\./(windows/(temp|logs)|users/[^/]*/Temp)(/|$)' |
            LC_ALL=C sort)
    }
    registry() {
        local hive patterns=(-e Quillon) code packed
        for code in "${codes[@]}"; do
            # The packed form: each group of the GUID reversed, the last two by pairs of digits.
            packed=$(/usr/bin/python3 -c 'import sys; g = sys.argv[1].strip("{}").split("-")
print(g[0][::-1] + g[1][::-1] + g[2][::-1] + "".join(g[3][i:i + 2][::-1] for i in (0, 2))
      + "".join(g[4][i:i + 2][::-1] for i in range(0, 12, 2)))' "$code")
            patterns+=(-e "${code//[{\}]/}" -e "$packed")
        done
        for hive in HKCU HKLM; do
            rm -f "$build/registry.reg"
            "$wine" reg export "$hive" 'Z:'"${build//\//\\}"'\registry.reg' /y >/dev/null 2>&1
            iconv -f UTF-16 -t UTF-8 "$build/registry.reg" | tr -d '\r' | grep -i "${patterns[@]}" || true
        done
    }
    entry() {  # the entry in Installed apps of the product code CODE
        "$wine" reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" 2>/dev/null |
            tr -d '\r' | grep -E '^ +(DisplayName|DisplayVersion|Publisher|EstimatedSize|UninstallString) ' ||
            true
    }
    local before before_registry
    before=$(files)
    before_registry=$(registry)
    if [[ -n $before_registry ]]; then
        echo "the prefix mentions Quillon before the installation:" >&2
        echo "$before_registry" >&2
        return 1
    fi
    pack_windows_msi "$build" "$lower" 0.1
    "$wine" msiexec /i "Z:${lower//\//\\}" /qn
    echo "installed version 0.1: $(entry "${codes[0]}" | tr -s ' ' | tr '\n' ';')"
    [[ -n $(entry "${codes[0]}") ]] || { echo "0.1 has no entry in Installed apps" >&2; return 1; }

    "$wine" msiexec /i "Z:${msi//\//\\}" /qn
    local now
    now=$(entry "${codes[1]}")
    echo "after the upgrade to $version:"
    echo "$now"
    if [[ -n $(entry "${codes[0]}") ]]; then
        echo "the upgrade left version 0.1's entry in Installed apps" >&2
        return 1
    fi
    local wanted
    # (Wine writes an EstimatedSize of 0; Windows works the size out from the files'.)
    for wanted in "DisplayName +REG_SZ +Quillon\$" "DisplayVersion +REG_SZ +$version\$" \
        "Publisher +REG_SZ +Quillon developers\$" "EstimatedSize +REG_DWORD " \
        "UninstallString +REG_EXPAND_SZ +MsiExec.exe /X${codes[1]}\$"; do
        grep -q -E "^ +$wanted" <<<"$now" || { echo "the entry lacks: $wanted" >&2; return 1; }
    done
    # The lower version refuses to replace it.
    if "$wine" msiexec /i "Z:${lower//\//\\}" /qn; then
        echo "version 0.1 installed over $version" >&2
        return 1
    fi
    [[ $(entry "${codes[1]}") == "$now" && -z $(entry "${codes[0]}") ]] ||
        { echo "refusing version 0.1 changed the installation" >&2; return 1; }
    echo "version 0.1 refused over $version, which stays"
    # Its icon, which the Installer keeps for the entry: the program's.
    local icon="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Installer/${codes[1]}/quillon.ico"
    cmp "$repo/ui/icons/quillon.ico" "$icon" || { echo "the entry has no icon" >&2; return 1; }
    # The zip's files, each once, in the user's programs folder; the shortcut, to the program.
    if ! diff <(cd "$build/msi-files" && cd "$(dirname "$(find . -name quillon.exe)")" &&
        find . -type f | LC_ALL=C sort) <(cd "$programs" && find . -type f | LC_ALL=C sort); then
        echo "$programs does not hold the package's files" >&2
        return 1
    fi
    if ! strings "$menu/Quillon.lnk" | grep -q -i -F 'AppData\Local\Programs\Quillon\quillon.exe'; then
        echo "no shortcut Quillon to quillon.exe in the Start menu ($menu)" >&2
        return 1
    fi
    echo "files in $programs, shortcut $menu/Quillon.lnk"
    # What the registry holds of it now, which the uninstall must take away.
    local held
    held=$(registry | wc -l)
    echo "$held registry lines mention Quillon or its product codes"
    ((held > 0)) || { echo "the registry shows nothing of the installation" >&2; return 1; }
    shows_its_window "$programs" "$build/msi-loaddll.log" "$build/screenshot-installed.png"

    "$wine" msiexec /x "Z:${msi//\//\\}" /qn
    local after after_registry
    after=$(files)
    after_registry=$(registry)
    # The Installer's own cache folders may stay, as they are there already on Windows.
    local left
    left=$(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | grep -v -E \
        '^> \./(windows/Installer|users/[^/]*/AppData/Roaming/Microsoft/Installer)$' || true)
    if [[ -n $left ]]; then
        echo "the uninstall left these differences on C: (< before, > after):" >&2
        echo "$left" >&2
        return 1
    fi
    if [[ -n $after_registry ]]; then
        echo "the uninstall left these registry values:" >&2
        echo "$after_registry" >&2
        return 1
    fi
    echo "uninstalled: no file, folder, shortcut or registry value of Quillon's left"
}
step "the package installs, upgrades, starts and uninstalls" check_msi
