#!/usr/bin/env bash
# Fetches the picture corpus into $2 and runs every JPEG of it through picture
# loading with $1 (lumarine_corpus_check); EXIF orientations 2 to 8 must show
# upright.
set -euo pipefail
check=$1
corpus=$2
bash "$(dirname "$0")/fetch.sh" "$corpus" 2>/dev/null
"$check" "$corpus/unpacked" \
    --orientation "$corpus/unpacked/golang-github-disintegration-imaging-dev/usr/share/gocode/src/github.com/disintegration/imaging/testdata" |
    grep -vE '^(shown|refused)' || exit 1
