#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and validates what the desktop reads there, then
# packs it for Debian and checks the package's files and dependencies.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f | sed 's#^\./#./usr/#' | sort) > "$scratch/expected"
for file in bin/pelorin bin/pelorin-cli share/pelorin/help.html share/pelorin/tile-sources.json \
    share/applications/pelorin.desktop \
    share/mime/packages/pelorin.xml share/icons/hicolor/scalable/apps/pelorin.svg \
    share/icons/hicolor/48x48/apps/pelorin.png share/icons/hicolor/256x256/apps/pelorin.png \
    share/metainfo/example.pelorin.Pelorin.metainfo.xml; do
    [ -f "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/pelorin.desktop"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
# The MIME database built from the package: .plt by name and by its first line.
update-mime-database "$prefix/share/mime"
grep -q '^50:application/x-ozi-plt:\*\.plt$' "$prefix/share/mime/globs2"
grep -q 'application/x-ozi-plt' "$prefix/share/mime/magic"
grep -q '^MimeType=application/x-ozi-plt;application/gpx+xml;application/vnd.garmin.tcx+xml;application/x-igc;application/vnd.ant.fit;$' \
    "$prefix/share/applications/pelorin.desktop"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >/dev/null
deb=$(echo "$scratch"/package/pelorin_*.deb)
# The package holds the installed tree under /usr, nothing more and nothing less.
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort > "$scratch/files"
diff -u "$scratch/expected" "$scratch/files"
# Dependencies computed from the linked libraries, and the window's platform plugins.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'
dpkg-deb -f "$deb" Depends | grep -q 'qt6-qpa-plugins'
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-sqlite'
echo "install tree and package are complete"
