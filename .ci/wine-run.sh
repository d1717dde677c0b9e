#!/usr/bin/env bash
# Runs a Windows program under wine: the emulator through which CTest and the replay comparison
# start the MinGW build's programs.
#
#   .ci/wine-run.sh PROGRAM.exe [ARGUMENT...]
#
# .ci/windows.sh sets wine up for its build (QUILLON_WINE, WINEPREFIX, WINEPATH: .ci/lib/wine.sh)
# before it runs anything. Started without it (a comparison or a fuzzing campaign run by hand),
# this sets wine up the same way for the build PROGRAM belongs to, the nearest folder above it
# that holds a CMakeCache.txt, so that the program finds its DLLs there too.
#
# Now and then wine's loader loses its connection to the wine server while a process starts,
# and exits with a failure before the program has run at all: it says "wine client error:0:
# recvmsg: Connection reset by peer", or, with wine's messages silenced (WINEDEBUG=-all),
# nothing. Every program of this project writes something when it runs, so a failure with wine's
# client error, or with no output at all, is such a lost start: it is tried again, at most three
# times in all, and said so on standard error. Any other outcome, success or failure, is the
# program's own and is passed on as it stands. Both outputs are passed on once the program ends.
set -uo pipefail
if [[ -z ${WINEPREFIX:-} || -z ${QUILLON_WINE:-} ]]; then
    build=$(dirname "$(realpath "$1")")
    while [[ $build != / && ! -f $build/CMakeCache.txt ]]; do
        build=$(dirname "$build")
    done
    if [[ $build == / ]]; then
        echo "$1 lies in no build folder (none above it holds a CMakeCache.txt)" >&2
        exit 2
    fi
    # shellcheck source=lib/wine.sh
    source "$(dirname "$0")/lib/wine.sh"
    wine_environment "$build" || exit 2
fi
wine=$QUILLON_WINE
# The loader's own errors stay on even with wine's messages silenced: a DLL the program needs
# and cannot find is then named ("Library ... not found") instead of looking like a lost start.
export WINEDEBUG=${WINEDEBUG:+$WINEDEBUG,}err+module
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
lost_start() {
    grep -q '^wine client error:' "$errors" || [[ ! -s $output && ! -s $errors ]]
}
for attempt in 1 2 3; do
    "$wine" "$@" >"$output" 2>"$errors"
    status=$?
    if ((status == 0)) || ! lost_start; then
        break
    fi
    echo "wine lost its server while starting $1 (attempt $attempt, exit status $status)" >&2
done
cat "$output"
cat "$errors" >&2
exit "$status"
