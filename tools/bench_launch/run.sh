#!/usr/bin/env bash
# Launch to picture, timed from outside: starts the built program and its
# peers on the same pictures under one Xvfb screen and prints, for each, the
# median time from fork to the first frame that shows the picture (xpoll.c,
# beside this script, watches the screen). `djpeg -scale 1/4` of the large
# picture runs in the same session as the floor a launch competes with.
#
#   tools/bench_launch/run.sh [BUILD_DIR] [RUNS]
#
# BENCH_LAUNCH_BEFORE=DIR adds the lumarine of another build (an older one) on
# the picture and the list, so that two versions are timed in the same run.
# Needs xvfb-run, ImageMagick, djpeg, gcc with the X11, Xext and Xtst headers
# (scripts/deps.sh --bench). openbox is used when installed, as a desktop
# would place and focus windows; feh, nsxiv and qimgv run when installed.
set -euo pipefail

HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-build}" && pwd)
RUNS=${2:-5}

if [ -z "${BENCH_LAUNCH_INNER:-}" ]; then
    export BENCH_LAUNCH_INNER=1
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$BUILD" "$RUNS"
fi

WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$WORK"' EXIT
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
export LUMARINE_INI=$WORK/lumarine.ini

XPOLL=$WORK/xpoll
gcc -O2 -o "$XPOLL" "$HERE/xpoll.c" -lX11 -lXext -lXtst -lm

# Pictures with texture everywhere, so that a flat window never passes for one.
PICTURES=${BENCH_LAUNCH_PICTURES:-$BUILD/bench-launch-pictures}
mkdir -p "$PICTURES"
make_picture() {
    [ -s "$PICTURES/$1.jpg" ] || convert -seed 7 -size "$2" plasma:fractal -blur 0x1 -quality 90 "$PICTURES/$1.jpg"
}
make_picture large 6000x4000
make_picture screen 1920x1080
printf '%s\r\n' "$PICTURES/large.jpg" >"$WORK/large.lum"
printf '%s\r\n' "$PICTURES/screen.jpg" >"$WORK/screen.lum"

cat >"$LUMARINE_INI" <<INI
[Settings]
FirstStart=Done
ShowButtonNames=True
RANDOM=False
DELAY=10
INI

# qimgv opens in a window unless told to take the screen, as the others are.
mkdir -p "$XDG_CONFIG_HOME/qimgv"
printf '[General]\nfirstRun=false\nopenInFullscreen=true\n' >"$XDG_CONFIG_HOME/qimgv/qimgv.conf"

if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    sleep 1
fi
cat "$PICTURES"/*.jpg >/dev/null

# One timed launch: prints the milliseconds from fork to the picture.
picture_ms() {
    local out
    out=$("$XPOLL" -w content -q 0 -T 20 -- "$@" 2>/dev/null) || { echo timeout; return; }
    sed -n 's/.*first_ms=\([0-9]*\).*/\1/p' <<<"$out"
}

# The main window on a list, then Alt+V, A as soon as it paints: the sum of
# the window's first frame, the keys and the picture after them.
list_then_keys_ms() {
    local out first seq key
    out=$("$XPOLL" -w screen -q 0 -d 0 -k alt+v,a -K content -T 20 -- "$2/lumarine" "$1" 2>/dev/null) ||
        { echo timeout; return; }
    first=$(sed -n 's/.*first_ms=\([0-9]*\).*/\1/p' <<<"$out")
    seq=$(sed -n 's/.*keyseq_ms=\([0-9]*\).*/\1/p' <<<"$out")
    key=$(sed -n 's/.*key_ms=\([0-9]*\).*/\1/p' <<<"$out")
    echo $((first + ${seq:-0} + key))
}

djpeg_ms() {
    local start end
    start=$(date +%s%N)
    djpeg -scale 1/4 "$PICTURES/large.jpg" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "-") }'
}

declare -A RESULTS
record() {
    RESULTS["$1"]+="$2 "
}

cases=("djpeg -scale 1/4 (large)")
for size in large screen; do
    cases+=("lumarine PICTURE ($size)" "lumarine LIST, Alt+V A ($size)")
    [ -n "${BENCH_LAUNCH_BEFORE:-}" ] &&
        cases+=("before: lumarine PICTURE ($size)" "before: lumarine LIST, Alt+V A ($size)")
    command -v feh >/dev/null && cases+=("feh -F ($size)")
    command -v nsxiv >/dev/null && cases+=("nsxiv -f ($size)")
    command -v qimgv >/dev/null && cases+=("qimgv ($size)")
done

# BENCH_LAUNCH_ONLY, a pattern, keeps the cases whose names match it.
if [ -n "${BENCH_LAUNCH_ONLY:-}" ]; then
    kept=()
    for c in "${cases[@]}"; do [[ $c =~ $BENCH_LAUNCH_ONLY ]] && kept+=("$c"); done
    cases=("${kept[@]}")
fi

run_case() {
    local size=${1##*(} && size=${size%)}
    local picture=$PICTURES/$size.jpg
    case "$1" in
    djpeg*) djpeg_ms ;;
    "lumarine PICTURE"*) picture_ms "$BUILD/lumarine" "$picture" ;;
    "before: lumarine PICTURE"*) picture_ms "$BENCH_LAUNCH_BEFORE/lumarine" "$picture" ;;
    "lumarine LIST"*) list_then_keys_ms "$WORK/$size.lum" "$BUILD" ;;
    "before: lumarine LIST"*) list_then_keys_ms "$WORK/$size.lum" "$BENCH_LAUNCH_BEFORE" ;;
    feh*) picture_ms feh -F "$picture" ;;
    nsxiv*) picture_ms nsxiv -f "$picture" ;;
    qimgv*) picture_ms qimgv "$picture" ;;
    esac
}

# A warm-up round fills the page cache and the font caches; then the cases
# take turns, so that a busy moment of the machine falls on all of them.
for c in "${cases[@]}"; do run_case "$c" >/dev/null; done
for ((i = 0; i < RUNS; i++)); do
    for c in "${cases[@]}"; do record "$c" "$(run_case "$c")"; done
done

echo "launch to picture, median of $RUNS runs (ms), Xvfb 1920x1080"
for c in "${cases[@]}"; do
    printf '  %-36s %6s   (%s)\n' "$c" "$(tr ' ' '\n' <<<"${RESULTS[$c]}" | grep -v '^$' | median)" "${RESULTS[$c]% }"
done
