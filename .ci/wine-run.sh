#!/usr/bin/env bash
# Runs a Windows program under wine: the emulator through which CTest and the replay comparison
# start the MinGW build's programs.
#
#   QUILLON_WINE=/usr/lib/wine/wine64 .ci/wine-run.sh PROGRAM.exe [ARGUMENT...]
#
# On a loaded machine wine's loader now and then loses its connection to the wine server while
# a process starts ("wine client error:0: recvmsg: Connection reset by peer") and exits before
# the program has run at all. Such a start is tried again, at most three times in all, and
# said so on standard error; any other outcome, success or failure, is the program's own and is
# passed on as it stands.
set -uo pipefail
wine=${QUILLON_WINE:-wine64}
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in 1 2 3; do
    "$wine" "$@" 2>"$errors"
    status=$?
    if ((status == 0)) || ! grep -q '^wine client error:' "$errors"; then
        break
    fi
    echo "wine lost its server while starting $1 (attempt $attempt)" >&2
done
cat "$errors" >&2
# Wine's own messages are silenced (WINEDEBUG=-all): a program that wine could not run, or that
# crashed before it printed a line, leaves its exit status as the only trace.
if ((status != 0)) && [[ ! -s $errors ]]; then
    echo "$1 ended with exit status $status and wrote nothing to standard error" >&2
fi
exit "$status"
