#!/usr/bin/env bash
# Replays every input of a fuzz corpus through another build of quillon-replay and checks that
# it prints byte for byte what the native build prints, and ends the same way, for each input.
#
#   .ci/compare-corpus.sh OUT_DIR COMMAND...
#   .ci/compare-corpus.sh build-libcxx/corpus build-libcxx/tools/quillon-replay
#   .ci/compare-corpus.sh build-windows/corpus .ci/wine-run.sh build-windows/tools/quillon-replay.exe
#   .ci/compare-corpus.sh build-wasm/corpus node build-wasm/tools/quillon-replay.js
#
# The inputs go in batches (QUILLON_BATCH of them, 400 by default) to one process each, through
# quillon-replay's batch mode (--batch FILE...), so that wine or node starts once per batch;
# both programs run in the corpus folder and see the same relative file names. The native
# program is QUILLON_NATIVE_REPLAY if set (a quillon-replay built natively from this same tree),
# else the toolkit-free core is built with the system's compiler into OUT_DIR/native. The
# corpus is QUILLON_CORPUS (fuzz/corpus and fuzz/regressions of the repository by default: the
# scripts, *.txt). A mismatch names the input and its first differing line; the outputs are kept
# in OUT_DIR. The last line sums it up: inputs, bytes, batches, seconds, mismatches; or, where
# the other program printed nothing and failed, says that it could not start (exit status 3).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=lib/native.sh
source "$repo/.ci/lib/native.sh"
# The programs are started from the corpus folder: their paths are made absolute.
comparison_arguments "$@"
batch_size=${QUILLON_BATCH:-400}

# The inputs, each folder's by name; a name holds no space or line end (libFuzzer names them by
# their hash; the seeds by what they hold).
if [[ -n ${QUILLON_CORPUS:-} ]]; then
    corpora=("$QUILLON_CORPUS")
else
    corpora=("$repo/fuzz/corpus")
    if [[ -d $repo/fuzz/regressions ]]; then
        corpora+=("$repo/fuzz/regressions")
    fi
fi

# The same environment for both: the C locale, and no display.
export LC_ALL=C.UTF-8
rm -f "$out"/batch-*
start=$SECONDS
inputs=0 bytes=0 batches=0 mismatches=0
for corpus in "${corpora[@]}"; do
    mapfile -t names < <(cd "$corpus" && find . -maxdepth 1 -type f ! -name '.*' \
        ! -name '*.jsonl' -printf '%f\n' | LC_ALL=C sort)
    for ((first = 0; first < ${#names[@]}; first += batch_size)); do
        batch=("${names[@]:first:batch_size}")
        ((++batches))
        stem=$out/batch-$batches
        printf '%s\n' "$corpus" "${batch[@]}" >"$stem.inputs"
        native_status=0 other_status=0
        (cd "$corpus" && "$native" --batch "${batch[@]}") >"$stem.native" || native_status=$?
        (cd "$corpus" && "${other[@]}" --batch "${batch[@]}") >"$stem.other" 2>"$stem.errors" ||
            other_status=$?
        # No output at all and a failure: the program did not start (under wine, a DLL it
        # could not find), which says nothing about the inputs. Said so, not counted as
        # mismatches, and the comparison ends.
        if ((other_status != 0)) && [[ ! -s $stem.other ]]; then
            echo "corpus: ${other[*]} could not start (exit status $other_status); nothing compared"
            head -n 5 "$stem.errors" | sed 's/^/    /'
            exit 3
        fi
        inputs=$((inputs + ${#batch[@]}))
        bytes=$((bytes + $(cd "$corpus" && cat "${batch[@]}" | wc -c)))
        if ((native_status == other_status)) && cmp -s "$stem.native" "$stem.other"; then
            continue
        fi
        # Which inputs differ, each with its first differing line (at most ten named a batch).
        python3 - "$stem" "$native_status" "$other_status" "$corpus" <<'PYTHON'
import sys
stem, native_status, other_status, corpus = sys.argv[1:5]
ENDS = (b"### end", b"### cannot read", b"### uncaught exception")
def inputs(path):  # input name -> its lines with the closing one, in order, from a batch
    parts, name = {}, None
    for line in open(path, "rb").read().split(b"\n")[:-1]:
        if name is None:
            name = line.removeprefix(b"### ").decode("utf-8", "backslashreplace")
            parts[name] = []
        else:
            parts[name].append(line)
            if line in ENDS:
                name = None
    return parts
def shown(line):  # readable, with control characters such as a carriage return escaped
    return repr(line.decode("utf-8", "backslashreplace")) if line is not None else "(no line)"
native, other = inputs(stem + ".native"), inputs(stem + ".other")
differing = 0
for name, lines in native.items():
    theirs = other.get(name)
    if theirs == lines:
        continue
    differing += 1
    if differing > 10:
        continue
    if theirs is None:
        print(f"MISMATCH: {corpus}/{name}: the other build printed nothing for it")
        continue
    i = next(i for i in range(max(len(lines), len(theirs)))
             if i >= len(lines) or i >= len(theirs) or lines[i] != theirs[i])
    print(f"MISMATCH: {corpus}/{name}: line {i + 1}\n"
          f"    native: {shown(lines[i] if i < len(lines) else None)}\n"
          f"    other:  {shown(theirs[i] if i < len(theirs) else None)}")
if differing > 10:
    print(f"  and {differing - 10} more inputs of this batch")
if native_status != other_status:
    print(f"MISMATCH: the batch's exit status: native {native_status}, other {other_status}")
    differing = max(differing, 1)
open(stem + ".count", "w").write(str(differing))
PYTHON
        mismatches=$((mismatches + $(cat "$stem.count")))
        if [[ -s $stem.errors ]]; then
            echo "  its standard error (first lines):"
            head -n 5 "$stem.errors" | sed 's/^/    /'
        fi
    done
done
echo "corpus: $inputs inputs, $bytes bytes, $batches batches in $((SECONDS - start)) s," \
    "$mismatches mismatches"
((inputs > 0 && mismatches == 0))
