#!/usr/bin/env bash
# A fuzzing campaign across the builds: runs the native fuzzer (clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) for MINUTES, merges what it found into a work corpus with
# libFuzzer's -merge=1, replays every input new to the work corpus through the libc++, MinGW and
# WebAssembly builds with .ci/compare-corpus.sh, and ends with one line: inputs run, coverage,
# new inputs, mismatches, the builds that could not start (compared nothing, counted as no
# mismatch), findings.
#
#   fuzz/campaign.sh MINUTES
#
# The other builds are the folders that .ci/libcxx.sh, .ci/windows.sh and .ci/wasm.sh built:
# QUILLON_LIBCXX_BUILD, QUILLON_WINDOWS_BUILD and QUILLON_WASM_BUILD (build-libcxx,
# build-windows and build-wasm by default); one left empty ("") is skipped and said so. The
# native reference is QUILLON_NATIVE_REPLAY, or the one compare-corpus.sh builds. The fuzzer is
# built in QUILLON_FUZZ_BUILD_DIR (build-fuzz), the work corpus kept in its campaign/corpus,
# across campaigns, starting from fuzz/corpus and fuzz/regressions; an input on which the fuzzer
# found a fault lands in campaign/crashes. To keep the work corpus in the repository, minimised
# against what is there already:
#
#   build-fuzz/fuzz/quillon-fuzz -merge=1 fuzz/corpus build-fuzz/campaign/corpus
#
# QUILLON_BUILD_WAIT_MINUTES lets the other builds be made while the fuzzer runs; one still
# missing after that long is left out, and the closing line names it.
set -euo pipefail
if (($# != 1)) || ! [[ $1 =~ ^[0-9]+$ ]] || (($1 < 1)); then
    echo "usage: $0 MINUTES" >&2
    exit 2
fi
minutes=$1
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
# shellcheck source=../.ci/lib/apt.sh
source .ci/lib/apt.sh
# shellcheck source=../.ci/lib/steps.sh
source .ci/lib/steps.sh
# shellcheck source=../.ci/lib/native.sh
source .ci/lib/native.sh
# shellcheck source=../.ci/lib/emscripten.sh
source .ci/lib/emscripten.sh
fuzz_build=$(build_folder "${QUILLON_FUZZ_BUILD_DIR:-build-fuzz}")
work=$fuzz_build/campaign
fuzzer=$fuzz_build/fuzz/quillon-fuzz
mkdir -p "$work/corpus" "$work/crashes"

build_fuzzer() {
    install_missing cmake clang libclang-rt-14-dev
    cmake -S "$repo" --preset fuzz -B "$fuzz_build" >/dev/null
    cmake --build "$fuzz_build" --parallel "$(nproc)" --target quillon-fuzz >/dev/null
}
step "the fuzzer" build_fuzzer

# The other builds, checked before the fuzzing starts rather than after it.
libcxx=${QUILLON_LIBCXX_BUILD-build-libcxx}
windows=${QUILLON_WINDOWS_BUILD-build-windows}
wasm=${QUILLON_WASM_BUILD-build-wasm}
missing_builds() {
    local program
    for program in ${libcxx:+"$libcxx/tools/quillon-replay"} \
        ${windows:+"$windows/tools/quillon-replay.exe"} ${wasm:+"$wasm/tools/quillon-replay.js"}; do
        [[ -f $program ]] || echo "$program"
    done
}
# QUILLON_BUILD_WAIT_MINUTES lets the builds be made while the fuzzer runs: the replays wait
# that long for their programs to appear.
wait_minutes=${QUILLON_BUILD_WAIT_MINUTES:-0}
if ((wait_minutes == 0)) && [[ -n $(missing_builds) ]]; then
    echo "missing: $(missing_builds | tr '\n' ' ')" >&2
    echo "build them with their .ci scripts first, or give a folder as \"\" to skip it" >&2
    exit 2
fi
# One native reference for all three.
native_replay "$repo"

# The inputs the work corpus holds before the campaign; it starts from the repository's.
seeds=(fuzz/corpus)
if [[ -d fuzz/regressions ]]; then
    seeds+=(fuzz/regressions)
fi
merge() {  # merge INTO FROM...: adds to INTO the inputs of FROM that reach new coverage
    "$fuzzer" -merge=1 -timeout=30 -max_len=4096 "$@" >"$work/merge.log" 2>&1 ||
        { tail -n 20 "$work/merge.log" >&2 && return 1; }
}
if [[ -z $(ls -A "$work/corpus") ]]; then
    # Only the scripts: a regression's expected output (.jsonl) is no input.
    mkdir -p "$work/seeds"
    find "${seeds[@]}" -maxdepth 1 -type f ! -name '*.jsonl' -exec cp {} "$work/seeds/" \;
    merge "$work/corpus" "$work/seeds"
fi
find "$work/corpus" -type f -printf '%f\n' | sort >"$work/before.txt"
find "$work/crashes" -type f -printf '%f\n' | sort >"$work/crashes-before.txt"

# The fuzzer writes what it finds into found/, read together with the work corpus; one job.
rm -rf "$work/found"
mkdir -p "$work/found"
fuzz() {
    LC_ALL=C.UTF-8 "$fuzzer" -max_total_time=$((minutes * 60)) -timeout=30 -max_len=4096 \
        -dict=fuzz/replay.dict -artifact_prefix="$work/crashes/" -print_final_stats=1 \
        "$work/found" "$work/corpus" >"$work/fuzz.log" 2>&1 || true
}
step "fuzzing for $minutes minutes" fuzz
tail -n 12 "$work/fuzz.log"
step "merge into the work corpus" merge "$work/corpus" "$work/found"

# What the campaign did, from libFuzzer's own figures: its last status line ("#N ... cov: C
# ft: F ...") and its final statistics.
executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
status_line=$(grep -E '^#[0-9]+.* cov: ' "$work/fuzz.log" | tail -n 1 || true)
coverage=$(sed -E 's/.* cov: ([0-9]+) ft: ([0-9]+).*/\1 edges, \2 features/' <<<"$status_line")
rm -rf "$work/new"
mkdir -p "$work/new"
comm -13 "$work/before.txt" <(find "$work/corpus" -type f -printf '%f\n' | sort) |
    while read -r name; do cp "$work/corpus/$name" "$work/new/"; done
new=$(find "$work/new" -type f | wc -l)
findings=$(comm -13 "$work/crashes-before.txt" \
    <(find "$work/crashes" -type f -printf '%f\n' | sort) | wc -l)
total=$(find "$work/corpus" -type f | wc -l)

# Every new input through each other build, against the native build.
deadline=$((SECONDS + wait_minutes * 60))
while [[ -n $(missing_builds) ]] && ((SECONDS < deadline)); do
    sleep 30
done
# A build still missing then is left out, and the closing line says so.
for missing in $(missing_builds); do
    echo "not there after $wait_minutes minutes: $missing; left out" >&2
    case $missing in
        "$libcxx"/*) libcxx="" ;;
        "$windows"/*) windows="" ;;
        "$wasm"/*) wasm="" ;;
    esac
done
mismatches=0 skipped=""
rm -f "$work"/{libcxx,windows,wasm}.log
compare() {  # compare NAME BUILD_DIR COMMAND...
    local name=$1 dir=$2
    shift 2
    if [[ -z $dir ]]; then
        echo "corpus: $name skipped (no build), 0 mismatches" | tee "$work/$name.log"
        skipped+=" $name"
        return 0
    fi
    echo "== $name"
    QUILLON_CORPUS=$work/new "$repo/.ci/compare-corpus.sh" "$dir/corpus" "$@" |
        tee "$work/$name.log"
}
count() {  # the mismatches the summary line of a comparison's log gives; 1 when it has none
    local found
    # A build that could not start compared nothing: it is named in the closing line instead.
    if grep -q '^corpus: .* could not start' "$work/$1.log" 2>/dev/null; then
        echo 0
        return
    fi
    found=$(sed -n 's/^corpus: .*, \([0-9]*\) mismatches$/\1/p' "$work/$1.log" 2>/dev/null)
    echo "${found:-1}"
}
if ((new > 0)); then
    compare libcxx "$libcxx" "$libcxx/tools/quillon-replay" || true
    mismatches=$((mismatches + $(count libcxx)))
    # The MinGW build under wine as .ci/windows.sh runs it (its prefix, with Qt's and the
    # compiler's DLLs on WINEPATH), without a display. Wine starts its server itself, or
    # shares the one .ci/windows.sh runs there; the campaign leaves it alone.
    if [[ -n $windows ]]; then
        # shellcheck source=../.ci/lib/wine.sh
        source .ci/lib/wine.sh
        export DISPLAY=""
        wine_environment "$(realpath "$windows")"
    fi
    compare windows "$windows" "$repo/.ci/wine-run.sh" "$windows/tools/quillon-replay.exe" ||
        true
    mismatches=$((mismatches + $(count windows)))
    if [[ -n $wasm ]]; then
        export_emscripten_node_path
    fi
    compare wasm "$wasm" node "$wasm/tools/quillon-replay.js" || true
    mismatches=$((mismatches + $(count wasm)))
fi

unstarted=""
for name in libcxx windows wasm; do
    if grep -q '^corpus: .* could not start' "$work/$name.log" 2>/dev/null; then
        unstarted+=" $name"
    fi
done
echo "campaign: ${executed:-0} inputs run in $minutes min, coverage ${coverage:-unknown}," \
    "$new new inputs (work corpus $total), $mismatches mismatches${skipped:+ (not replayed on:$skipped)}${unstarted:+ (could not start:$unstarted)}," \
    "$findings findings"
