#!/usr/bin/env bash
# .ci/compare-corpus.sh against stand-ins for another build that differ from the native program
# in one way each: it must pass the same output and name each differing input with its first
# differing line, and fail on a different exit status or a batch cut short.
#
#   tests/compare_corpus_test.sh QUILLON_REPLAY
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
export QUILLON_NATIVE_REPLAY=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
printf 'set First 7\nset Second 2\nselect \xc3\xb7\nclick\n' >"$work/corpus/a"
printf 'set First 1\r\nselect +\r\nclick\r\nclick\r\nstate\r\n' >"$work/corpus/b"
printf 'num 1\nadd 9\nclick' >"$work/corpus/c"
export QUILLON_CORPUS=$work/corpus

# A stand-in for the other build: the native program with its output passed through FILTER,
# and ending with STATUS.
other() {  # other NAME FILTER STATUS
    cat >"$work/$1" <<EOF
#!/usr/bin/env bash
"\$QUILLON_NATIVE_REPLAY" "\$@" | $2
exit $3
EOF
    chmod +x "$work/$1"
}
failed=0
expect() {  # expect STATUS TEXT... -- COMMAND...: the comparison's exit status and lines
    local status=$1 wanted=() output actual=0 wrong=0
    shift
    while [[ $1 != -- ]]; do
        wanted+=("$1")
        shift
    done
    shift
    output=$("$@" 2>&1) || actual=$?
    local text
    for text in "${wanted[@]}"; do
        if ! grep -qF -- "$text" <<<"$output"; then
            echo "FAILED: $* does not say: $text"
            wrong=1
        fi
    done
    if ((actual != status)); then
        echo "FAILED: $* exits $actual, not $status"
        wrong=1
    fi
    if ((wrong)); then
        echo "    ${output//$'\n'/$'\n'    }"
        failed=1
    fi
}
compare=("$repo/.ci/compare-corpus.sh" "$work/out")

other same cat 0
expect 0 "corpus: 3 inputs, 102 bytes, 1 batches" "0 mismatches" -- "${compare[@]}" "$work/same"
QUILLON_BATCH=2 expect 0 "corpus: 3 inputs, 102 bytes, 2 batches" -- "${compare[@]}" "$work/same"

# The second input's second click shows another answer.
other answer "sed '6s/\"answer\": \"1\"/\"answer\": \"1.0\"/'" 0
expect 1 "MISMATCH: $work/corpus/b: line 2" \
    "native: '{\"first\": \"1\", \"second\": \"0\", \"answer\": \"1\", \"failure\": null}'" \
    "other:  '{\"first\": \"1\", \"second\": \"0\", \"answer\": \"1.0\", \"failure\": null}'" \
    "1 mismatches" -- "${compare[@]}" "$work/answer"

# The same lines, but the batch fails.
other status cat 1
expect 1 "the batch's exit status: native 0, other 1" -- "${compare[@]}" "$work/status"

# The program stops in the middle of the second input, as on a crash: it is the one named, and
# the third as missing.
other cut "head -n 5" 134
expect 1 "MISMATCH: $work/corpus/b: line 2" "native: '{\"first\": \"1\"," "other:  (no line)" \
    "MISMATCH: $work/corpus/c: the other build printed nothing for it" "2 mismatches" \
    -- "${compare[@]}" "$work/cut"

# A build that cannot start (a DLL missing under wine): no mismatches, and said so.
other unstarted "true" 53
expect 3 "could not start (exit status 53); nothing compared" -- "${compare[@]}" "$work/unstarted"

# An input whose run ends in an escaped exception rather than its last line.
other thrown "sed 's/^### end\$/### uncaught exception/'" 0
expect 1 "line 2" "native: '### end'" "other:  '### uncaught exception'" "3 mismatches" \
    -- "${compare[@]}" "$work/thrown"
exit "$failed"
