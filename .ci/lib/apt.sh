# shellcheck shell=bash
# Root rights, installing the Debian packages that are missing with apt-get, and the locales the
# tests run under (sourced, not run).

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
