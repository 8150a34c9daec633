#!/usr/bin/env bash
# Installs the Debian 12 packages Quillomat needs to build and run, with --tests also those its
# tests use, then configures and builds it.
# Usage: tools/setup.sh [--tests] BUILD_DIR [extra cmake arguments...]
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libgtkmm-3.0-dev libwebkit2gtk-4.1-dev libglib2.0-dev-bin libfontconfig-dev libfreetype-dev
    fonts-wine fonts-dejavu-core adwaita-icon-theme librsvg2-common
    # The French dictionary that the browser pane checks spelling with.
    hunspell-fr
)
if [[ ${1:-} == --tests ]]; then
    shift
    packages+=(
        libgtest-dev libsoup-3.0-dev clang-format
        xvfb xclip x11-utils xdotool desktop-file-utils appstream dpkg-dev lintian file inotify-tools
        # A screen reader's view: the accessibility bus, a real AT-SPI client, and gdbus to
        # find the bus.
        dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 libglib2.0-bin
        # A real desktop settings store (dconf) in a session of a test's own.
        dconf-gsettings-backend dconf-service
        # The French locale, compiled: the window tests run in it, and the program's toolkit
        # speaks French in the tests' C locale (from Debian 13 on, gettext translates nothing
        # under C.UTF-8).
        locales-all
        # ImageMagick compares windows drawn two ways; a desktop's settings daemon.
        imagemagick xsettingsd
        # Not run by the tests: xvfb-run, to look at windows by hand.
        xauth
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]]; then
        apt_get=(apt-get)
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        apt_get=(sudo apt-get)
    elif command -v sudo >/dev/null && [[ -t 0 ]]; then
        apt_get=(sudo apt-get)
    else
        echo "Quillomat needs these Debian packages, and installing them needs root:" >&2
        echo "    apt-get install -y ${missing[*]}" >&2
        echo "Run that line as root (or through sudo), then run this script again." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${apt_get[@]}" update -qq
    "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=$1
shift
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$source_dir" -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
