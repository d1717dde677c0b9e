#!/usr/bin/env bash
# Checks the shell scripts in git with shellcheck (as .shellcheckrc says) and the JavaScript in
# git with ESLint's recommended rules (ui/web/tools/eslint.config.mjs), and names each file with
# a finding. ESLint is the one pinned by ui/web/tools/package-lock.json, installed with npm ci
# into ui/web/tools/node_modules.
#
#   .ci/lint.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/apt.sh
source .ci/lib/apt.sh
# shellcheck source=lib/steps.sh
source .ci/lib/steps.sh
install_missing shellcheck nodejs cmake git
# npm comes with some builds of node (which then conflict with Debian's npm package).
if ! command -v npm >/dev/null; then
    install_missing npm
fi

# Runs COMMAND once over FILE...: both tools name the file of each finding.
#   check WHAT COMMAND... -- FILE...
# (shellcheck 0.9 takes a function called only through step as unreachable.)
# shellcheck disable=SC2317
check() {
    local what=$1 command=()
    shift
    while [[ $1 != -- ]]; do
        command+=("$1")
        shift
    done
    shift
    if (($# == 0)); then
        echo "no $what found in git" >&2
        return 1
    fi
    # Tested outright: as the command of "step ... ||", this function runs without errexit.
    if ! "${command[@]}" "$@"; then
        echo "$what: the files named above have findings" >&2
        return 1
    fi
    echo "all $# $what pass"
}

scripts=() javascript=()
mapfile -d '' -t scripts < <(git ls-files -z -- '*.sh' .ci/run '.ci/lib/*')
mapfile -d '' -t javascript < <(git ls-files -z -- '*.js' '*.mjs')

shellcheck --version | grep '^version'
status=0
step "shell scripts" check "shell scripts" shellcheck --format=gcc -- "${scripts[@]}" || status=1

cmake -DDIR=ui/web/tools -P ui/web/tools/npm_ci.cmake
eslint=(ui/web/tools/node_modules/.bin/eslint --config ui/web/tools/eslint.config.mjs)
echo "ESLint $("${eslint[@]}" --version)"
step "JavaScript" check "JavaScript files" "${eslint[@]}" -- "${javascript[@]}" || status=1
exit "$status"
