# Sourced by the run and test scripts: makes sure the Debian packages the build needs are
# there, installing what is missing when running as root.

# The map reads MBTiles files through Qt's SQLite driver and WebP tiles through Qt's image
# format plugins; PNG and JPEG Qt reads by itself.
PELORIN_PACKAGES="cmake ninja-build g++ python3 libgtest-dev libbenchmark-dev qt6-base-dev libgl-dev
    libexpat1-dev zlib1g-dev libzip-dev locales desktop-file-utils appstream shared-mime-info
    dpkg-dev file libqt6sql6-sqlite qt6-image-formats-plugins"
# The Windows build: the cross compiler, zlib for it, GoogleTest's sources to build for it, and
# Wine to run what it builds. scripts/windows-libs builds the other libraries from Debian's
# sources with apt and dpkg-source (dpkg-dev, above).
PELORIN_WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine wine64"

pelorin_missing_packages() {
    local missing="" package
    for package in $PELORIN_PACKAGES "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing="$missing $package"
        fi
    done
    echo "${missing# }"
}

pelorin_install_packages() {
    local missing
    missing=$(pelorin_missing_packages "$@")
    if [ -n "$missing" ]; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "Missing Debian packages. Install them with:" >&2
            echo "  sudo apt-get install -y $missing" >&2
            exit 1
        fi
        echo "Installing:$missing" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends $missing >/dev/null
    fi
}

# A locale with a decimal comma, so that the tests can prove numbers never follow the locale.
pelorin_comma_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        if [ "$(id -u)" -eq 0 ]; then
            localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
        fi
    fi
}

pelorin_build() {
    local dir=$1
    shift
    cmake -S "$PELORIN_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}

# Runs a command under Wine in the Windows build's own prefix, quietly.
pelorin_wine() {
    WINEPREFIX="$PELORIN_ROOT/build-windows/wine" WINEDEBUG=-all "$@"
}
