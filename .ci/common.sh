# shellcheck shell=bash
# The shell library of build.sh, fuzz/run.sh and the .ci/ scripts (sourced, not run): root
# rights, installing what is missing with apt-get, the wall time of each step, the locales the
# tests run under, and a cache for dependencies built from source.

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

# Makes the locales the end-to-end tests run under besides C.UTF-8 (tests/CMakeLists.txt
# names them): one with a decimal comma, one with a narrow no-break space for grouping and one
# with its own case rules for "i" and "I".
make_test_locales() {
    local name
    install_missing locales
    for name in de_DE fr_FR tr_TR; do
        if ! locale -a 2>/dev/null | grep -qx "$name.utf8"; then
            as_root localedef -i "$name" -c -f UTF-8 "$name.UTF-8"
        fi
    done
}

# The version of the Debian source package NAME: that of its binary packages installed here
# (what /usr/src holds, and cheap to ask), else the newest its deb-src entries offer, else the
# candidate of a binary package of the same name. Fails when none is known.
source_version() {
    local name=$1 version
    version=$(dpkg-query -W -f='${db:Status-Abbrev}\t${source:Package}\t${source:Version}\n' \
        | awk -F'\t' -v name="$name" '$1 ~ /^ii/ && $2 == name { print $3 }' | sort -V | tail -n 1)
    if [[ -z $version ]]; then
        version=$(apt-cache showsrc --only-source "$name" 2>/dev/null \
            | awk '/^Version:/ { print $2 }' | sort -V | tail -n 1)
    fi
    if [[ -z $version ]]; then
        version=$(apt-cache policy "$name" 2>/dev/null \
            | awk '/Candidate:/ && $2 != "(none)" { print $2 }')
    fi
    if [[ -z $version ]]; then
        echo "no version known for the Debian source package $name" >&2
        return 1
    fi
    echo "$version"
}

# Prints the cache folder for dependencies built with one toolchain: TOOLCHAIN is a short name with its
# version (e.g. "mingw-w64-gcc-12", "clang-14-libc++"), PACKAGES the Debian source packages whose versions
# go into the key. The folder is ${QUILLON_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon/deps}/<key>.
#   dependency_cache TOOLCHAIN PACKAGE...
# The key is TOOLCHAIN and PACKAGE-VERSION for each, joined by "_", with every character other
# than letters, digits, ".", "+" and "-" made "_" (an epoch's ":" and a "~", for instance).
# Install into <folder>/prefix, and run each build through cached_build.
dependency_cache() {
    if (($# < 1)); then
        echo "usage: dependency_cache TOOLCHAIN PACKAGE..." >&2
        return 2
    fi
    local key=$1 package version
    shift
    for package in "$@"; do
        version=$(source_version "$package") || return 1
        key+="_$package-$version"
    done
    key=${key//[^[:alnum:].+-]/_}
    echo "${QUILLON_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon/deps}/$key"
}

# GoogleTest from Debian's sources (package googletest), built in BUILD_TREE with the compiler
# and flags of the environment and CMAKE_ARGS, installed into PREFIX:
#   build_googletest PREFIX BUILD_TREE [CMAKE_ARG...]
build_googletest() {
    local prefix=$1 tree=$2
    shift 2
    rm -rf "$tree"
    cmake -S /usr/src/googletest -B "$tree" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
    cmake --build "$tree" --parallel "$(nproc)"
    cmake --install "$tree" >/dev/null
}

# Runs a build of dependencies into a cache folder once: cached_build FOLDER NAME COMMAND...
# The stamp FOLDER/NAME.done is written only after COMMAND succeeds, so a build that failed or
# was interrupted is done again on the next run; a lock keeps two runs from building into the
# same folder at once (COMMAND does not inherit the lock, so a server it leaves running does
# not hold it). COMMAND stops at its first failing command (errexit), as in a step; so call it
# as a command of its own, never as a condition (where bash ignores errexit).
cached_build() {
    local folder=$1 name=$2
    shift 2
    mkdir -p "$folder"
    (
        set -e
        flock 9
        if [[ -f $folder/$name.done ]]; then
            echo "$name is already built in $folder"
            exit 0
        fi
        "$@" 9>&-
        touch "$folder/$name.done"
    ) 9>"$folder/.lock"
}
