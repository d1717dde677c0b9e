# shellcheck shell=bash
# Shared by the .ci/ build scripts (sourced, not run): root rights, installing what is missing
# with apt-get, and the wall time of each step.

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

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

# apt-get, waiting and trying again while another apt or dpkg process holds its lock.
apt_get() {
    local attempt
    for ((attempt = 0; attempt < 60; ++attempt)); do
        if as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"; then
            return 0
        fi
        if ! pgrep -x 'apt|apt-get|dpkg' >/dev/null; then
            return 1
        fi
        sleep 10
    done
    return 1
}

# Installs the named Debian packages that are not installed yet.
install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if ((${#missing[@]} > 0)); then
        echo "Installing: ${missing[*]}"
        # A fresh machine may have no package lists yet: fetch them when the first try fails.
        if ! apt_get install -y -q "${missing[@]}"; then
            apt_get update -q
            apt_get install -y -q "${missing[@]}"
        fi
    fi
}

# Runs a command as one named step and prints its wall time, so that CI logs show where the
# time goes: step NAME COMMAND... The command runs in a subshell with errexit on, so that a
# function stops at its first failing command (errexit is ignored in the callee of "cmd ||").
step() {
    local name=$1 start=$SECONDS status
    shift
    echo "== $name"
    set +e
    (
        set -e
        "$@"
    )
    status=$?
    set -e
    echo "== $name: $((SECONDS - start)) s$( ((status == 0)) || echo ", FAILED ($status)")"
    return "$status"
}
