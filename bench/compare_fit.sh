#!/usr/bin/env bash
# Whole process against whole process on the generated million-record FIT file: pelorin-cli
# (read, analyse, report) against GPSBabel reading the same file. GPSBabel is installed for
# this comparison only; Pelorin does not use it. Each command runs five times in turn after a
# warm-up; the medians of the wall times and their ratio are printed.
# Usage: bench/compare_fit.sh [build folder]
set -euo pipefail
PELORIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$PELORIN_ROOT/scripts/deps.sh"
pelorin_install_packages gpsbabel
build=${1:-$PELORIN_ROOT/build}
cmake --build "$build" --target pelorin-cli pelorin_make_fit >/dev/null
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
    sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}

pelorin=("$build/pelorin-cli" "$file")
gpsbabel=(gpsbabel -i garmin_fit -f "$file")
seconds "${pelorin[@]}" >/dev/null
seconds "${gpsbabel[@]}" >/dev/null
a=()
b=()
for _ in 1 2 3 4 5; do
    a+=("$(seconds "${pelorin[@]}")")
    b+=("$(seconds "${gpsbabel[@]}")")
done
ma=$(printf '%s\n' "${a[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
echo "== 1,000,000 records: pelorin-cli (A) against GPSBabel (B), wall seconds, median of 5"
awk -v a="$ma" -v b="$mb" 'BEGIN { printf "A %.3f  B %.3f  B/A %.1f\n", a, b, b / a }'
