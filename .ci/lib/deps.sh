# shellcheck shell=bash
# A cache for dependencies built from source, shared by every clone, and the libraries the cross
# builds make from Debian's sources: GMP and MPFR, GoogleTest, the fast_float headers (sourced,
# not run).

# shellcheck source=apt.sh
source "${BASH_SOURCE[0]%/*}/apt.sh"

# Debian's source packages for this release, from a list of their own in sources.list.d (the
# lists apt has are left as they are). Writes it only when it is missing or differs, and then
# reads the new package lists.
add_source_entries() {
    local list=/etc/apt/sources.list.d/quillon-deb-src.sources codename entries
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    entries="Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    if [[ -f $list && $(<"$list") == "$entries" ]]; then
        return 0
    fi
    echo "Adding Debian's source packages: $list"
    as_root tee "$list" >/dev/null <<<"$entries"
    apt_get update -q
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

# GMP and MPFR from Debian's source packages, static, into PREFIX; their sources, build trees
# and log go into WORK_DIR:
#   build_gmp_mpfr PREFIX WORK_DIR CONFIGURE_WRAPPER MAKE_WRAPPER CONFIGURE_ARG...
# The wrappers run each configure and each make (env for none; emconfigure and emmake for
# emscripten); the CONFIGURE_ARGs name the host and the tools. Run it through cached_build.
build_gmp_mpfr() {
    local prefix=$1 work=$2 configure=$3 make=$4
    shift 4
    add_source_entries
    rm -rf "$work/src"
    mkdir -p "$work/src"
    (
        cd "$work/src"
        if ! apt-get source -q gmp mpfr4; then
            apt_get update -q
            apt-get source -q gmp mpfr4
        fi
    )
    local gmp_src mpfr_src
    gmp_src=$(compgen -G "$work/src/gmp-*/configure" | head -n 1 | xargs dirname)
    mpfr_src=$(compgen -G "$work/src/mpfr4-*/configure" | head -n 1 | xargs dirname)
    # Their assertions name their source files (__FILE__): written relative to WORK_DIR,
    # so that the folder they were built in does not reach the programs that link them.
    local common=(--prefix="$prefix" --disable-shared --enable-static
        CPPFLAGS="-ffile-prefix-map=$work=." "$@")
    rm -rf "$work/build-gmp" "$work/build-mpfr"
    mkdir -p "$work/build-gmp" "$work/build-mpfr"
    # Their output goes to the log, shown when a step fails. Debian's patches change GMP's
    # configure.ac (its documentation is left out): Debian's own build regenerates the scripts,
    # and so does this one.
    local log=$work/gmp-mpfr.log jobs
    jobs=$(nproc)
    : >"$log"
    if ! (cd "$gmp_src" && autoreconf -fi) >>"$log" 2>&1 \
        || ! (cd "$work/build-gmp" && "$configure" "$gmp_src/configure" "${common[@]}" \
        CC_FOR_BUILD=gcc && "$make" make -j"$jobs" && "$make" make install-exec install-data-am) \
        >>"$log" 2>&1 \
        || ! (cd "$work/build-mpfr" && "$configure" "$mpfr_src/configure" "${common[@]}" \
        --with-gmp="$prefix" && "$make" make -j"$jobs" -C src && "$make" make -C src install) \
        >>"$log" 2>&1; then
        tail -n 40 "$log"
        echo "building GMP or MPFR failed; the whole log: $log" >&2
        return 1
    fi
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

# A header-only library (fast_float, nlohmann) is copied from /usr/include/FOLDER into PREFIX,
# which keeps the build machine's /usr/include out of a cross build's search path:
#   copy_headers PREFIX FOLDER
copy_headers() {
    mkdir -p "$1/include"
    rm -rf "${1:?}/include/$2"
    cp -r "/usr/include/$2" "$1/include/"
}

# The JSON library of the tests' script checks, header-only, copied into PREFIX once for each
# version of Debian's package (the version is in the stamp, so a new one is copied again):
#   copy_json_headers DEPS PREFIX
copy_json_headers() {
    local version
    version=$(source_version nlohmann-json3) || return 1
    cached_build "$1" "nlohmann-json-${version//[^[:alnum:].+-]/_}" copy_headers "$2" nlohmann
}
