# shellcheck shell=bash
# The native quillon-replay against which every other build's output is compared (sourced, not
# run): QUILLON_NATIVE_REPLAY if set (a quillon-replay built natively from this same tree),
# else the replay preset's, built with the system's compiler into the clone's build-replay/,
# which every comparison shares. Sources steps.sh, whose step it uses.

# shellcheck source=steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/steps.sh"

# Builds the replay preset's program, brought up to date; a lock keeps two comparisons that run
# at once from building it together.
build_native_replay() {
    local repo=$1
    mkdir -p "$repo/build-replay"
    (
        flock 9
        cd "$repo" || exit
        cmake --preset replay >/dev/null
        cmake --build --preset replay --parallel "$(nproc)" >/dev/null
    ) 9>"$repo/build-replay/.lock"
}

# Sets and exports QUILLON_NATIVE_REPLAY, building the replay preset's program when it is not
# set: native_replay REPO
native_replay() {
    local repo=$1
    if [[ -z ${QUILLON_NATIVE_REPLAY:-} ]]; then
        step "native quillon-replay" build_native_replay "$repo"
        QUILLON_NATIVE_REPLAY=$repo/build-replay/tools/quillon-replay
    fi
    QUILLON_NATIVE_REPLAY=$(realpath "$QUILLON_NATIVE_REPLAY")
    export QUILLON_NATIVE_REPLAY
}

# The opening both comparison scripts share: comparison_arguments OUT_DIR COMMAND... sets out
# (the output folder, made), other (the other build's command, its paths absolute, so that it
# still runs from another folder) and native (the native program, built if need be).
# shellcheck disable=SC2034 # out and native are for the script that calls it
comparison_arguments() {
    if (($# < 2)); then
        echo "usage: $0 OUT_DIR COMMAND..." >&2
        exit 2
    fi
    out=$(build_folder "$1")
    shift
    other=("$@")
    local i
    for ((i = 0; i < ${#other[@]}; ++i)); do
        if [[ (i -eq 0 || ${other[i]} == */*) && -e ${other[i]} ]]; then
            other[i]=$(realpath "${other[i]}")
        fi
    done
    native_replay "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
    native=$QUILLON_NATIVE_REPLAY
}
