#!/usr/bin/env bash
# Fetches the picture corpus into $3 and runs every JPEG of it through picture
# loading with $1 (lumarine_corpus_check; EXIF orientations 2 to 8 must show
# upright), then through a standard show and the preview's thumbnail pages with
# $2 (lumarine_corpus_show).
set -euo pipefail
check=$1
show=$2
corpus=$3
bash "$(dirname "$0")/fetch.sh" "$corpus" 2>/dev/null
"$check" "$corpus/unpacked" \
    --orientation "$corpus/unpacked/golang-github-disintegration-imaging-dev/usr/share/gocode/src/github.com/disintegration/imaging/testdata" |
    grep -vE '^(shown|refused)' || exit 1
"$show" "$corpus/unpacked" 2> >(grep -v '^qt.gui.imageio' >&2)
