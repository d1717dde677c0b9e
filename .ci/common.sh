# shellcheck shell=bash
# The shell library of build.sh, fuzz/run.sh and the .ci/ scripts (sourced, not run): root
# rights, installing what is missing with apt-get, the wall time of each step, the locales the
# tests run under, a cache for dependencies built from source, and the libraries the cross
# builds make from Debian's sources.

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

# A deb-src entry for each enabled entry of this release's own archives, unless one exists.
add_source_entries() {
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    if grep -rqsE '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
        return 0
    fi
    local entries
    entries=$(
        for file in /etc/apt/sources.list.d/*.sources; do
            [[ -f $file ]] || continue
            # Paragraph mode: one stanza a record; comments are dropped.
            awk -v codename="$codename" 'BEGIN { RS = ""; FS = "\n" }
                {
                    out = ""; types = 0; suite = 0; disabled = 0
                    for (i = 1; i <= NF; i++) {
                        if ($i ~ /^#/) continue
                        if ($i ~ /^Types:/) { types = ($i ~ /[[:space:]]deb([[:space:]]|$)/); $i = "Types: deb-src" }
                        if ($i ~ /^Suites:/ && $i ~ ("[[:space:]]" codename "([-[:space:]]|$)")) suite = 1
                        if ($i ~ /^Enabled:[[:space:]]*no/) disabled = 1
                        out = out $i "\n"
                    }
                    if (types && suite && !disabled) printf "%s\n", out
                }' "$file"
        done
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [[ -f $file ]] || continue
            awk -v codename="$codename" '$1 == "deb" && $0 ~ ("[[:space:]]" codename "([-[:space:]]|$)") {
                    sub(/^deb/, "deb-src"); print }' "$file"
        done
    )
    if [[ -z $entries ]]; then
        echo "no entry for $codename found in /etc/apt to derive a deb-src entry from" >&2
        return 1
    fi
    echo "Adding deb-src entries: /etc/apt/sources.list.d/quillon-deb-src.sources"
    # One-line entries come out as one-line ones: keep them in a .list file of their own.
    grep -v '^deb-src ' <<<"$entries" | as_root tee /etc/apt/sources.list.d/quillon-deb-src.sources >/dev/null
    if grep -q '^deb-src ' <<<"$entries"; then
        grep '^deb-src ' <<<"$entries" | as_root tee /etc/apt/sources.list.d/quillon-deb-src.list >/dev/null
    fi
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

# fast_float is header-only: a copy in PREFIX keeps the build machine's /usr/include out of a
# cross build's search path.
copy_fast_float() {
    mkdir -p "$1/include"
    rm -rf "$1/include/fast_float"
    cp -r /usr/include/fast_float "$1/include/"
}

# What a WebAssembly build needs, and the other PACKAGEs named: Debian's emscripten and node,
# and the tools that build GMP and MPFR from their sources. npm comes with some builds of node
# (which then conflict with Debian's npm package): it is installed only when missing.
#   install_emscripten [PACKAGE...]
install_emscripten() {
    install_missing cmake make gcc m4 autoconf automake libtool dpkg-dev python3 \
        emscripten nodejs googletest libfast-float-dev "$@"
    if ! command -v npm >/dev/null; then
        install_missing npm
    fi
}

# Debian's emscripten finds its JavaScript modules (acorn) only through NODE_PATH.
export_emscripten_node_path() {
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
}

# The folder of the dependency cache for this emscripten; the libraries go into its prefix/.
# "files-mapped": built since GMP's and MPFR's assertions stopped naming the folder they were
# built in (a cache from before would put that folder into the page).
emscripten_cache() {
    dependency_cache "emscripten-$(emcc -dumpversion)-files-mapped" gmp mpfr4 googletest \
        fast-float
}

# GMP and MPFR (generic C, no assembly), GoogleTest (with C++ exceptions, as the project is
# built) and the fast_float headers, built for emscripten into the prefix/ of the cache folder
# DEPS, each once; WORK_DIR holds their sources and build trees while they are built:
#   build_emscripten_dependencies DEPS WORK_DIR
build_emscripten_dependencies() {
    local deps=$1 work=$2
    local prefix=$deps/prefix
    cached_build "$deps" gmp-mpfr \
        build_gmp_mpfr "$prefix" "$work" emconfigure emmake --host=none --disable-assembly
    cached_build "$deps" googletest build_googletest "$prefix" "$work/build-googletest" \
        -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" \
        -DCMAKE_CXX_FLAGS=-fexceptions -Dgtest_disable_pthreads=ON
    cached_build "$deps" fast-float copy_fast_float "$prefix"
}
