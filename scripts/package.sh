#!/usr/bin/env bash
# Builds the Debian package lumarine_<version>_<arch>.deb (and its -dbgsym
# package) with debhelper and leaves it in build-deb/. The package is built
# from a copy of the tree in a temporary folder, because dpkg-buildpackage
# writes its results beside the source folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package

# The package's version, the metainfo's release and the program's own version
# are one number; a release that changes one changes all three.
version=$(sed -n 's/^project(Lumarine VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -S Version)
metainfo_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' data/org.example.Lumarine.metainfo.xml | head -n 1)
if [ "$changelog_version" != "$version" ] || [ "$metainfo_version" != "$version" ]; then
    echo "Version $version in CMakeLists.txt, $changelog_version in debian/changelog," \
        "$metainfo_version in the metainfo's newest release: make them one" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/lumarine-$version"
tar --exclude=./.git --exclude='./build*' -cf - . | tar -xf - -C "$work/lumarine-$version"
(cd "$work/lumarine-$version" && dpkg-buildpackage -b -us -uc)

rm -rf build-deb
mkdir build-deb
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes build-deb/
find "$work" -maxdepth 1 -name '*.ddeb' -exec mv {} build-deb/ \;
echo "Built: $(ls build-deb/*.deb | tr '\n' ' ')"
