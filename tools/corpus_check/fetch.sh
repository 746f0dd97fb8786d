#!/usr/bin/env bash
# Fetches Debian's packages that carry broken and unusual JPEGs made by
# others and unpacks them into the folder given ($1).
set -euo pipefail
target=$1
mkdir -p "$target"
cd "$target"
for package in golang-1.19-src golang-github-rwcarlsen-goexif-dev golang-github-disintegration-imaging-dev; do
    if [ ! -d "unpacked/$package" ]; then
        apt-get download "$package" >/dev/null
        mkdir -p "unpacked/$package"
        dpkg-deb -x "$package"_*.deb "unpacked/$package"
    fi
done
