#!/usr/bin/env bash
# Count timed from outside: the folder search over a tree of 200,000
# JPEG-named empty files in 4,000 folders, from the key that presses Count
# (Alt+C, the base path set in the settings file) to the last change of the
# main window (the count and the status line at their final values, the
# Count button back), against `find TREE -iname '*.jpg'` and the same piped
# through `sort` in the same run, find again while the poller grabs the
# screen as it does while it waits for the Count (xpoll -W), and a Count of
# one picture, which shows what the window and the poller cost alone. Then
# the same through slowfs.py, a FUSE passthrough that answers each getattr
# and readdir after a delay, as a network share or a slow disk does.
#
#   tools/bench_launch/scan.sh [BUILD_DIR] [RUNS]
#
# BENCH_LAUNCH_BEFORE=DIR times an older build beside BUILD_DIR;
# BENCH_SCAN_DELAY_MS sets the FUSE delay (default 1); BENCH_LAUNCH_ONLY, a
# pattern, keeps the cases whose names match. The tree is kept in
# BUILD_DIR/bench-scan-tree between runs. Needs what run.sh needs, and fuse3
# with python3-fusepy for the slow cases (they are left out without them).
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh"
bench_start "$@"

TREE=$BUILD/bench-scan-tree
if [ ! -e "$TREE/.complete" ]; then
    /usr/bin/python3 - "$TREE" <<'PY'
import os, sys
root = sys.argv[1]
for top in range(40):
    for sub in [None] + list(range(99)):
        folder = os.path.join(root, f"album {top}") + ("" if sub is None else f"/day {sub}")
        os.makedirs(folder, exist_ok=True)
        for i in range(50):
            open(os.path.join(folder, f"IMG_{i:04d}.jpg"), "w").close()
open(os.path.join(root, ".complete"), "w").close()
PY
fi

# One picture in one folder: what a Count costs beyond the search itself (the
# key, the busy cursor, the labels, the window's repaint, the poller's grabs).
ONE=$BUILD/bench-scan-one
mkdir -p "$ONE/album" && touch "$ONE/album/IMG_0000.jpg"

DELAY_MS=${BENCH_SCAN_DELAY_MS:-1}
SLOW=$WORK/slow
bench_extra_cleanup() {
    # A program just ended may still hold the mount for a moment: detach it.
    mountpoint -q "$SLOW" 2>/dev/null && { umount "$SLOW" 2>/dev/null || umount -l "$SLOW"; }
    return 0
}
places=(local)
if /usr/bin/python3 -c 'import fusepy' 2>/dev/null && [ -e /dev/fuse ]; then
    mkdir -p "$SLOW"
    /usr/bin/python3 "$HERE/slowfs.py" "$TREE" "$SLOW" "$DELAY_MS" >"$WORK/slowfs.log" 2>&1 &
    for ((i = 0; i < 100; i++)); do mountpoint -q "$SLOW" && break; sleep 0.05; done
    mountpoint -q "$SLOW" && places+=("FUSE $DELAY_MS ms") || echo "slowfs did not mount: $(cat "$WORK/slowfs.log")"
fi

tree_of() {
    case "$1" in *local*) echo "$TREE" ;; *) echo "$SLOW" ;; esac
}

# The main window with the base path set, quiet for 0.5 s, then Alt+C: the
# milliseconds from the key to the window's last change (1.5 s quiet after).
count_ms() {
    local out
    write_ini RANDOM=False DELAY=10 '[PATHS]' "BASE=$2"
    out=$("$XPOLL" -w screen -q 500 -d 0 -k alt+c -K screen -Q 1500 -T 120 -- "$1/lumarine" 2>/dev/null) ||
        { echo timeout; return; }
    field key_settled_ms <<<"$out"
}

cases=("lumarine Count of one picture (local)")
for place in "${places[@]}"; do
    cases+=("find -iname '*.jpg' ($place)" "find -iname '*.jpg', screen grabbed ($place)"
        "find -iname '*.jpg' | sort ($place)" "lumarine Count ($place)")
    [ -n "${BENCH_LAUNCH_BEFORE:-}" ] && cases+=("before: lumarine Count ($place)")
done
filter_cases

# shellcheck disable=SC2016 # the single-quoted commands are expanded by their own shell
run_case() {
    local tree
    tree=$(tree_of "$1")
    case "$1" in
    *"| sort"*) elapsed_ms bash -c 'find "$1" -iname "*.jpg" | sort' - "$tree" ;;
    *"screen grabbed"*)
        "$XPOLL" -W -T 120 -- bash -c 'find "$1" -iname "*.jpg" >/dev/null' - "$tree" 2>/dev/null | field exit_ms ;;
    find*) elapsed_ms find "$tree" -iname '*.jpg' ;;
    "lumarine Count of one picture"*) count_ms "$BUILD" "$ONE" ;;
    "lumarine Count"*) count_ms "$BUILD" "$tree" ;;
    "before: lumarine Count"*) count_ms "$BENCH_LAUNCH_BEFORE" "$tree" ;;
    esac
}

run_rounds
print_results "Count against find, 200,000 files in 4,000 folders, median of $RUNS runs (ms), Xvfb 1920x1080"
