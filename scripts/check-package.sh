#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian finds no error, the desktop
# entry and the metainfo validate, the unpacked package holds every file the
# program installs, the desktop entry names what the program opens and the
# list files' type is registered, and its program starts from there, shows its main window
# and finds its manual there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
deb=$(ls build-deb/lumarine_*.deb)
id=org.example.Lumarine

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Width x height from a PNG file's header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'
}

echo "== lintian"
lintian --fail-on error --display-info build-deb/lumarine_*.changes

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"

echo "== the files in their places"
for file in usr/bin/lumarine usr/share/lumarine/lumarine.html usr/share/applications/$id.desktop \
    usr/share/metainfo/$id.metainfo.xml usr/share/mime/packages/$id.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/man/man1/lumarine.1.gz usr/share/doc/lumarine/copyright usr/share/doc/lumarine/changelog.gz; do
    [ -s "$root/$file" ] || fail "the package holds no $file"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(png_size "$png")" = "${size}x$size" ] || fail "no $size x $size PNG icon"
done

echo "== appstreamcli validate and desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/$id.desktop"

echo "== what the desktop entry opens, and the list files' type"
opens=$(sed -n 's/^MimeType=//p' "$root/usr/share/applications/$id.desktop")
[ "$opens" = "image/jpeg;inode/directory;application/x-lumarine-list;" ] ||
    fail "the desktop entry opens '$opens'"
# A mime database of the system's types and the package's own, in which a
# list file must be recognised by its name.
mime=$work/mime-data
mkdir -p "$mime/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/$id.xml" "$mime/mime/packages/"
XDG_DATA_DIRS=$mime update-mime-database "$mime/mime"
printf '/pictures/a.jpg\r\n' >"$work/pictures.lum"
type=$(XDG_DATA_DIRS=$mime XDG_DATA_HOME=$work/no-data gio info -a standard::content-type "$work/pictures.lum" |
    sed -n 's/^ *standard::content-type: //p')
[ "$type" = application/x-lumarine-list ] || fail "a .lum file is taken for '$type'"
grep -q '<comment>Lumarine image list</comment>' "$mime/mime/application/x-lumarine-list.xml" ||
    fail "the list files' type is not described as a Lumarine image list"

echo "== the unpacked program starts and finds its manual"
# At its first start the program opens its manual through xdg-open; this one
# writes down what it was asked to open.
mkdir -p "$work/bin" "$work/home"
mkdir -m 700 "$work/run"
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$work/opened" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
cat >"$work/start.sh" <<'SCRIPT'
set -euo pipefail
"$1" &
app_pid=$!
trap 'kill $app_pid 2>/dev/null || true' EXIT
for _ in $(seq 200); do
    xdotool search --pid $app_pid --name '^Lumarine$' >/dev/null 2>&1 && [ -s "$2" ] && exit 0
    kill -0 $app_pid 2>/dev/null || break
    sleep 0.1
done
echo "FAIL: no window named Lumarine appeared, or the manual was not opened" >&2
exit 1
SCRIPT
env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
    XDG_CACHE_HOME="$work/home/cache" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/run" \
    LUMARINE_INI="$work/home/lumarine.ini" \
    xvfb-run -a bash "$work/start.sh" "$root/usr/bin/lumarine" "$work/opened"
grep -qx "file://$root/usr/share/lumarine/lumarine.html" "$work/opened" ||
    fail "the program opened $(cat "$work/opened") instead of its manual"
echo "The package passes its checks: $deb"
