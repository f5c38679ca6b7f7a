#!/usr/bin/env bash
# Whole process against whole process on generated GPX files, timed from outside with
# farm-bench: pelorin-cli (read, analyse, report) against GPSBabel reading a million points,
# and against the gpxpy library parsing 100,000 points. GPSBabel and gpxpy are installed for
# this comparison only (Debian's python3, not another on PATH); Pelorin does not use them.  Usage: bench/compare_gpx.sh [build folder]
set -euo pipefail
PELORIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$PELORIN_ROOT/scripts/deps.sh"
pelorin_install_packages gpsbabel python3-gpxpy
build=${1:-$PELORIN_ROOT/build}
cmake --build "$build" --target pelorin-cli pelorin_make_gpx >/dev/null
million=$("$build/bench/pelorin_make_gpx" 1000000)
hundred=$("$build/bench/pelorin_make_gpx" 100000)
echo "== pelorin-cli (A) against GPSBabel (B), 1,000,000 points"
farm-bench -n 5 --timeout 900 --vs "gpsbabel -t -i gpx -f $million" -- \
    "$build/pelorin-cli" "$million"
echo "== pelorin-cli (A) against gpxpy (B), 100,000 points"
farm-bench -n 5 --timeout 600 \
    --vs "/usr/bin/python3 -c 'import sys, gpxpy; gpxpy.parse(open(sys.argv[1], encoding=\"utf-8\"))' $hundred" \
    -- "$build/pelorin-cli" "$hundred"
