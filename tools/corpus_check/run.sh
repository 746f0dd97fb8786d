#!/usr/bin/env bash
# Fetches the picture corpus into $3 and runs every JPEG of it through picture
# loading with $1 (lumarine_corpus_check; EXIF orientations 2 to 8 must show
# upright), then through a standard show and the preview's thumbnail pages with
# $2 (lumarine_corpus_show).
set -euo pipefail
check=$1
show=$2
corpus=$3
# Settings and caches of the programs stay in a folder of the run's own.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache XDG_DATA_HOME=$home/.local/share
bash "$(dirname "$0")/fetch.sh" "$corpus" 2>/dev/null
"$check" "$corpus/unpacked" \
    --orientation "$corpus/unpacked/golang-github-disintegration-imaging-dev/usr/share/gocode/src/github.com/disintegration/imaging/testdata" |
    grep -vE '^(shown|refused)' || exit 1
"$show" "$corpus/unpacked" 2> >(grep -v '^qt.gui.imageio' >&2)
