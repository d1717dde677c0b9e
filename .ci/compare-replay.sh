#!/usr/bin/env bash
# Checks that another build of quillon-replay prints byte for byte what the native build
# prints, for every script of tests/scripts/ and for a generated set of random clicks over
# every entry of Operation.
#
#   .ci/compare-replay.sh OUT_DIR COMMAND...
#   .ci/compare-replay.sh build-libcxx/compare build-libcxx/tools/quillon-replay
#   .ci/compare-replay.sh build-windows/compare .ci/wine-run.sh build-windows/tools/quillon-replay.exe
#
# COMMAND is run with --headless added, or, with QUILLON_COMPARE_WINDOW=1, without it: then it
# drives its window, and must still print what the native program prints headless. The native program is QUILLON_NATIVE_REPLAY if set (a
# quillon-replay built natively from this same tree), else the one of the replay preset, built
# here with the system's compiler into the clone's build-replay/, which every comparison shares.
# Outputs are kept in OUT_DIR; QUILLON_CLICKS sets the number of random clicks (20000).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/native.sh
source "$repo/.ci/lib/native.sh"
comparison_arguments "$@"
other_args=(--headless)
if [[ ${QUILLON_COMPARE_WINDOW:-0} == 1 ]]; then
    other_args=()
fi

# The same environment for both: the C locale.
export LC_ALL=C.UTF-8
python3 "$repo/tests/clicks/generate.py" --clicks "${QUILLON_CLICKS:-20000}" --seed 11 \
    "$native" --headless >"$out/clicks.txt"

# Every command of the generated set must be one the program carries out: an error line
# would mean the generator and the menus disagree, and the clicks test less than they seem.
"$native" --headless <"$out/clicks.txt" >"$out/clicks.native.jsonl"
if grep -m 3 '^{"error"' "$out/clicks.native.jsonl"; then
    echo "the generated clicks contain commands that cannot be carried out" >&2
    exit 1
fi

differing=0
for script in "$repo"/tests/scripts/*.txt "$out/clicks.txt"; do
    name=$(basename "$script" .txt)
    "$native" --headless <"$script" >"$out/$name.native.jsonl"
    "${other[@]}" "${other_args[@]}" <"$script" >"$out/$name.other.jsonl"
    if cmp -s "$out/$name.native.jsonl" "$out/$name.other.jsonl"; then
        echo "same: $name ($(wc -l <"$out/$name.native.jsonl") lines)"
        continue
    fi
    differing=1
    # The differing lines side by side (the first ten), and how many there are.
    python3 - "$out/$name.native.jsonl" "$out/$name.other.jsonl" <<'PYTHON'
import sys
native, other = (open(path, "rb").read().split(b"\n") for path in sys.argv[1:3])
pairs = [(i, a, b) for i, (a, b) in enumerate(zip(native, other), 1) if a != b]
print(f"DIFFERENT: {sys.argv[1]} and {sys.argv[2]}: {len(pairs)} of {len(native) - 1} lines"
      + (f", and {len(native)} against {len(other)} lines" if len(native) != len(other) else ""))
def shown(line):  # readable, with control characters such as a carriage return escaped
    return repr(line.decode("utf-8", "backslashreplace"))
for i, a, b in pairs[:10]:
    print(f"  line {i}\n    native: {shown(a)}\n    other:  {shown(b)}")
PYTHON
done
exit "$differing"
