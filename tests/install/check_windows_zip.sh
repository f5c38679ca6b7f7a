#!/usr/bin/env bash
# Packs the Windows build with scripts/package-windows, unpacks the zip and runs the program from
# it under Wine on a GPX recording: the zip is named by the project's version, holds the README
# and the licence texts, and the program's report is the recorded one.
#   check_windows_zip.sh SOURCE_DIR BUILD_DIR VERSION GPX_FILE GOLDEN_JSON
set -euo pipefail
source=$1 build=$2 version=$3 gpx=$4 golden=$5
"$source/scripts/package-windows" "$build" >/dev/null
name=pelorin-cli-$version-windows-x86_64
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
cmake -E tar xf "$build/package/$name.zip"
for file in pelorin-cli.exe README.md licenses/expat.txt licenses/libzip.txt licenses/zlib.txt \
    licenses/gcc-runtime.txt licenses/GPL-3.txt licenses/mingw-w64.txt; do
    if [ ! -s "$name/$file" ]; then
        echo "$name.zip lacks $file" >&2
        exit 1
    fi
done
grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$name/licenses/gcc-runtime.txt"
WINEDEBUG=-all wine "$name/pelorin-cli.exe" --format json --connect auto "$gpx" >report.json
cmp report.json "$golden"
