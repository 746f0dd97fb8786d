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
# the picture and the list, so that two versions are timed in the same run. The list cases
# press Alt+V, A (Show All) as soon as the main window paints, and again
# 1.5 s after it painted ("idle"): the idle case prints the time from the key
# to the picture alone, what the user waits for once the window has been idle.
# BENCH_LAUNCH_ONLY, a pattern, keeps the cases whose names match it.
# Needs xvfb-run, ImageMagick, djpeg, gcc with the X11, Xext and Xtst headers
# (scripts/deps.sh --bench). openbox is used when installed, as a desktop
# would place and focus windows; feh, nsxiv and qimgv run when installed.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh"
bench_start "$@"

make_picture large 6000x4000
make_picture screen 1920x1080
printf '%s\r\n' "$PICTURES/large.jpg" >"$WORK/large.lum"
printf '%s\r\n' "$PICTURES/screen.jpg" >"$WORK/screen.lum"
write_ini RANDOM=False DELAY=10

# qimgv opens in a window unless told to take the screen, as the others are.
mkdir -p "$XDG_CONFIG_HOME/qimgv"
printf '[General]\nfirstRun=false\nopenInFullscreen=true\n' >"$XDG_CONFIG_HOME/qimgv/qimgv.conf"
cat "$PICTURES"/*.jpg >/dev/null

# One timed launch: prints the milliseconds from fork to the picture.
picture_ms() {
    local out
    out=$("$XPOLL" -w content -q 0 -T 20 -- "$@" 2>/dev/null) || { echo timeout; return; }
    field first_ms <<<"$out"
}

# The main window on a list, then Alt+V, A as soon as it paints: the sum of
# the window's first frame, the keys and the picture after them.
list_then_keys_ms() {
    local out first seq key
    out=$("$XPOLL" -w screen -q 0 -d 0 -k alt+v,a -K content -T 20 -- "$2/lumarine" "$1" 2>/dev/null) ||
        { echo timeout; return; }
    first=$(field first_ms <<<"$out")
    seq=$(field keyseq_ms <<<"$out")
    key=$(field key_ms <<<"$out")
    echo $((first + ${seq:-0} + key))
}

# The main window on a list, idle for 1.5 s after its first frame, then
# Alt+V, A: the milliseconds from the A to the picture.
idle_then_keys_ms() {
    local out
    # Polled every 2 ms: the figure is a few tens of milliseconds at most.
    out=$("$XPOLL" -w screen -q 0 -d 1500 -i 2 -k alt+v,a -K content -T 20 -- "$2/lumarine" "$1" 2>/dev/null) ||
        { echo timeout; return; }
    field key_ms <<<"$out"
}

cases=("djpeg -scale 1/4 (large)")
for size in large screen; do
    cases+=("lumarine PICTURE ($size)" "lumarine LIST, Alt+V A ($size)")
    [ -n "${BENCH_LAUNCH_BEFORE:-}" ] &&
        cases+=("before: lumarine PICTURE ($size)" "before: lumarine LIST, Alt+V A ($size)")
    cases+=("lumarine LIST, idle, key to picture ($size)")
    [ -n "${BENCH_LAUNCH_BEFORE:-}" ] && cases+=("before: lumarine LIST, idle, key to picture ($size)")
    command -v feh >/dev/null && cases+=("feh -F ($size)")
    command -v nsxiv >/dev/null && cases+=("nsxiv -f ($size)")
    command -v qimgv >/dev/null && cases+=("qimgv ($size)")
done
filter_cases

run_case() {
    local size=${1##*(} && size=${size%)}
    local picture=$PICTURES/$size.jpg
    case "$1" in
    djpeg*) elapsed_ms djpeg -scale 1/4 "$PICTURES/large.jpg" ;;
    "lumarine PICTURE"*) picture_ms "$BUILD/lumarine" "$picture" ;;
    "before: lumarine PICTURE"*) picture_ms "$BENCH_LAUNCH_BEFORE/lumarine" "$picture" ;;
    "lumarine LIST, Alt"*) list_then_keys_ms "$WORK/$size.lum" "$BUILD" ;;
    "before: lumarine LIST, Alt"*) list_then_keys_ms "$WORK/$size.lum" "$BENCH_LAUNCH_BEFORE" ;;
    "lumarine LIST, idle"*) idle_then_keys_ms "$WORK/$size.lum" "$BUILD" ;;
    "before: lumarine LIST, idle"*) idle_then_keys_ms "$WORK/$size.lum" "$BENCH_LAUNCH_BEFORE" ;;
    feh*) picture_ms feh -F "$picture" ;;
    nsxiv*) picture_ms nsxiv -f "$picture" ;;
    qimgv*) picture_ms qimgv "$picture" ;;
    esac
}

run_rounds
print_results "launch to picture, median of $RUNS runs (ms), Xvfb 1920x1080"
