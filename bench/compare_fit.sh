#!/usr/bin/env bash
# Whole process against whole process on the generated million-record FIT file: a program that
# only reads it into sections (pelorin_read_peak) and pelorin-cli (read, analyse, report), each
# against GPSBabel reading the same file. GPSBabel is installed for this comparison only;
# Pelorin does not use it. Each pair runs five times in turn after a warm-up; the medians of
# the wall times and their ratio are printed.  Usage: bench/compare_fit.sh [build folder]
set -euo pipefail
PELORIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$PELORIN_ROOT/scripts/deps.sh"
pelorin_install_packages gpsbabel
build=${1:-$PELORIN_ROOT/build}
cmake --build "$build" --target pelorin-cli pelorin_read_peak pelorin_make_fit >/dev/null
file=$("$build/bench/pelorin_make_fit" 1000000)

# Wall seconds of one run of the command, its output thrown away.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v start="$start" -v end="$end" 'BEGIN { print end - start }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# Runs A (the arguments) and GPSBabel in turn and prints their medians and ratio.
compare() {
    local a=() b=() ma mb
    seconds "$@" >/dev/null
    seconds gpsbabel -i garmin_fit -f "$file" >/dev/null
    for _ in 1 2 3 4 5; do
        a+=("$(seconds "$@")")
        b+=("$(seconds gpsbabel -i garmin_fit -f "$file")")
    done
    ma=$(printf '%s\n' "${a[@]}" | median)
    mb=$(printf '%s\n' "${b[@]}" | median)
    awk -v a="$ma" -v b="$mb" 'BEGIN { printf "A %.3f s  B %.3f s  B/A %.1f\n", a, b, b / a }'
}

echo "== 1,000,000 records, wall time, median of 5: reading only (A) against GPSBabel (B)"
compare "$build/bench/pelorin_read_peak" "$file"
echo "== pelorin-cli (A) against GPSBabel (B)"
compare "$build/pelorin-cli" "$file"
