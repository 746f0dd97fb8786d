#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Lumarine
# need, when they are missing. Without root it prints the command instead.
# With --package it adds Debian's packaging tools and the package's checkers;
# with --test it adds those and what only the tests need: clang and its
# runtime for the fuzz targets; with --bench what the launch benchmark needs,
# and the viewers it runs beside Lumarine.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-dejavu-core
    xvfb xauth xdotool x11-apps imagemagick
    libjpeg-turbo-progs
    dbus-daemon at-spi2-core python3-pyatspi
)
packaging=(debhelper lintian appstream desktop-file-utils man-db groff-base)
bench=(libx11-dev libxext-dev libxtst-dev openbox feh nsxiv qimgv fuse3 python3-fusepy)
case "${1:-}" in
--package) packages+=("${packaging[@]}") ;;
--test) packages+=("${packaging[@]}" clang libclang-rt-14-dev) ;;
--bench) packages+=("${bench[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Lumarine needs these Debian packages. Install them as root with:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
