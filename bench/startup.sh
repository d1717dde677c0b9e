#!/usr/bin/env bash
# Start-up time and resident memory of Quillon against a bare Qt window with the same widgets
# (bench/bare_window.cpp), on a virtual X server.
#
#   bench/startup.sh [RUNS] [BUILD_DIR]      (defaults: 21 runs, build)
#
# The two programs are started alternately, RUNS times each. A run's time is from the start
# of the process until its window is viewable on the X server (polled with xwininfo without
# pause, a few milliseconds a poll); its memory is the process's VmRSS right then. The script
# prints the median of each and the ratio Quillon / bare.
# QUILLON_BENCH_LOG=FILE keeps the programs' standard error.
set -euo pipefail
runs=${1:-21}
build=${2:-build}
quillon=$build/app/quillon
bare=$build/bench/bare_window
for program in "$quillon" "$bare"; do
    [[ -x "$program" ]] || { echo "missing $program: build first (./build.sh test)" >&2; exit 1; }
done
if ! command -v Xvfb >/dev/null || ! command -v xwininfo >/dev/null; then
    echo "needs Xvfb and xwininfo (packages xvfb, x11-utils)" >&2
    exit 1
fi

# The server picks a free display number and writes it to descriptor 3.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$number_file"' EXIT
for _ in $(seq 100); do [[ -s "$number_file" ]] && break; sleep 0.05; done
DISPLAY=:$(cat "$number_file")
export DISPLAY

# Prints "<milliseconds> <kilobytes>" for one start of a program whose window has `title`.
measure() {
    local program=$1 title=$2 start pid now
    start=$(date +%s%N)
    "$program" >/dev/null 2>>"${QUILLON_BENCH_LOG:-/dev/null}" &
    pid=$!
    until xwininfo -name "$title" 2>/dev/null | grep -q 'IsViewable'; do
        kill -0 "$pid" 2>/dev/null || { echo "$program exited early" >&2; exit 1; }
    done
    now=$(date +%s%N)
    local rss
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((now - start) / 1000000)) $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

q_times=() q_rss=() b_times=() b_rss=()
measure "$quillon" Quillon >/dev/null  # warm the file cache and the font cache once
measure "$bare" Bare >/dev/null
for ((i = 0; i < runs; i++)); do
    read -r t m < <(measure "$quillon" Quillon); q_times+=("$t"); q_rss+=("$m")
    read -r t m < <(measure "$bare" Bare); b_times+=("$t"); b_rss+=("$m")
done

qt=$(printf '%s\n' "${q_times[@]}" | median)
bt=$(printf '%s\n' "${b_times[@]}" | median)
qm=$(printf '%s\n' "${q_rss[@]}" | median)
bm=$(printf '%s\n' "${b_rss[@]}" | median)
printf '%-22s %10s %10s %8s\n' "median of $runs runs" quillon bare ratio
printf '%-22s %10s %10s %8.2f\n' "window shown (ms)" "$qt" "$bt" "$(echo "$qt $bt" | awk '{print $1 / $2}')"
printf '%-22s %10s %10s %8.2f\n' "resident memory (KiB)" "$qm" "$bm" "$(echo "$qm $bm" | awk '{print $1 / $2}')"
