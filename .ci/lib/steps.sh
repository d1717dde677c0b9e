# shellcheck shell=bash
# The build folder a script is given and the wall time of each step of a script (sourced, not
# run).

# The one argument of a build script, BUILD_DIR: made if missing, printed as an absolute path.
# Any other number of arguments ends the script with its usage.
build_folder() {
    if (($# != 1)); then
        echo "usage: $0 BUILD_DIR" >&2
        exit 2
    fi
    mkdir -p "$1"
    (cd "$1" && pwd)
}

# Runs a command as one named step and prints its wall time, so that CI logs show where the
# time goes: step NAME COMMAND... The command runs in a subshell with errexit on, so that a
# function stops at its first failing command (errexit is ignored in the callee of "cmd ||").
# A step run inside another one (a script run as a step) is named after both: "windows / build".
step() {
    local name=${QUILLON_STEP:+$QUILLON_STEP / }$1 start=$SECONDS status
    shift
    echo "== $name"
    set +e
    (
        export QUILLON_STEP=$name
        set -e
        "$@"
    )
    status=$?
    set -e
    echo "== $name: $((SECONDS - start)) s$( ((status == 0)) || echo ", FAILED ($status)")"
    return "$status"
}
