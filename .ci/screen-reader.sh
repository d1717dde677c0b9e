#!/usr/bin/env bash
# What a screen reader user hears: the screen reader Orca, with speech-dispatcher and espeak-ng
# on a silent sound device, listens while tests/screen_reader/listen.py works Quillon's window,
# then its web page in Chromium, from the keyboard, and checks every line Orca speaks against
# the scenarios tests/screen_reader/window.txt and page.txt. Prints what was spoken.
#
#   .ci/screen-reader.sh BUILD_DIR SITE_DIR
#
# BUILD_DIR holds the native build (app/quillon), SITE_DIR the built page (a WebAssembly
# build's ui/web/site). Each scenario runs on its own X server on a fixed display (:64, or
# QUILLON_SCREEN_READER_DISPLAY), in a private D-Bus session and a private HOME with the
# settings of the sound device, speech-dispatcher and Orca; as root, in a process namespace of
# its own, so that no other Orca on the machine sees it or is seen by it (Orca refuses to
# start beside another one of the same user).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/steps.sh
source "$repo/.ci/lib/steps.sh"
# shellcheck source=lib/apt.sh
source "$repo/.ci/lib/apt.sh"
if (($# != 2)); then
    echo "usage: $0 BUILD_DIR SITE_DIR" >&2
    exit 2
fi
program=$(realpath "$1/app/quillon")
site=$(realpath "$2")
display=${QUILLON_SCREEN_READER_DISPLAY:-:64}
for needed in "$program" "$site/index.html"; do
    if [[ ! -e $needed ]]; then
        echo "$needed is missing: build it first" >&2
        exit 1
    fi
done

step "packages" install_missing orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng \
    at-spi2-core python3-pyatspi dbus xvfb xauth x11-utils xdotool chromium fonts-liberation

out=$repo/build-screen-reader
mkdir -p "$out"

# A HOME of its own: ALSA's null device as the default sound device (speech-dispatcher waits
# for ever where there is none), speech-dispatcher speaking through espeak-ng into it, and
# Orca's settings, so that nothing of the machine's user is read or changed.
# (shellcheck 0.9 takes a function called only through step as unreachable.)
# shellcheck disable=SC2317
make_home() {
    local home=$1
    rm -rf "$home"
    mkdir -p "$home/.config/speech-dispatcher" "$home/.local/share/orca" "$home/run"
    chmod 700 "$home/run"
    printf 'pcm.!default {\n    type null\n}\n' >"$home/.asoundrc"
    cat >"$home/.config/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
EOF
    # Speech only: no braille display, no sounds. Orca takes itself for hung and quits when its
    # start takes more than timeoutTime seconds (10 by default), as it did once at a load of
    # twenty on two cores, most of it in starting speech-dispatcher.
    cat >"$home/.local/share/orca/user-settings.conf" <<'EOF'
{
    "general": {"enableSpeech": true, "enableBraille": false, "enableSound": false,
                "timeoutTime": 60},
    "profiles": {"default": {"profile": ["Default", "default"]}},
    "pronunciations": {},
    "keybindings": {}
}
EOF
}

# One scenario on its own X server, D-Bus session and HOME:
#   listen NAME --window PROGRAM | --page SITE
# shellcheck disable=SC2317
listen() {
    local name=$1 home=$out/$1-home
    shift
    make_home "$home"
    if [[ -e /tmp/.X${display#:}-lock ]]; then
        echo "display $display is taken (/tmp/.X${display#:}-lock); set QUILLON_SCREEN_READER_DISPLAY" >&2
        return 1
    fi
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$out/$name-xvfb.log" 2>&1 &
    local xvfb=$! tries
    for ((tries = 0; tries < 100; ++tries)); do
        xdpyinfo -display "$display" >/dev/null 2>&1 && break
        sleep 0.1
    done
    local status=0
    # The namespace's first process ends every process left in it when it ends.
    local isolate=()
    if [[ $(id -u) -eq 0 ]]; then
        isolate=(unshare --pid --fork --mount-proc)
    fi
    env -u SESSION_MANAGER -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS \
        HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" DISPLAY="$display" \
        LC_ALL=C.UTF-8 LANG=C.UTF-8 \
        "${isolate[@]}" dbus-run-session -- \
        /usr/bin/python3 "$repo/tests/screen_reader/listen.py" --log "$out/$name-orca.log" "$@" \
        "$repo/tests/screen_reader/$name.txt" 2>"$out/$name-stderr.log" || status=$?
    if ((status != 0)); then
        # What went wrong outside Orca's speech (the D-Bus daemon's notes left out).
        grep -v '^dbus-daemon\[' "$out/$name-stderr.log" | tail -n 20 >&2 || true
    fi
    kill "$xvfb"
    wait "$xvfb" || true
    return "$status"
}

status=0
step "window" listen window --window "$program" || status=1
step "page" listen page --page "$site" || status=1
exit "$status"
