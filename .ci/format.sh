#!/usr/bin/env bash
# Checks that every C++ file in git is formatted as .clang-format says, with Debian's
# clang-format, and names each one that is not. To mend one: clang-format -i FILE.
#
#   .ci/format.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/apt.sh
source .ci/lib/apt.sh
install_missing clang-format git

clang-format --version
checked=0 unformatted=()
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run -Werror --ferror-limit=3 "$file"; then
        unformatted+=("$file")
    fi
    checked=$((checked + 1))
done < <(git ls-files -z -- '*.cpp' '*.h')
if ((checked == 0)); then
    echo "no C++ file found in git" >&2
    exit 1
fi
if ((${#unformatted[@]} > 0)); then
    printf 'not formatted as .clang-format says: %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "all $checked C++ files are formatted as .clang-format says"
