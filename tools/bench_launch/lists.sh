#!/usr/bin/env bash
# A list file of 1,000,000 paths timed from outside: from the launch of
# `lumarine LIST` to the main window's first frame (the list is read before the
# window shows, so the frame carries the count) and to the window settled,
# median of RUNS; then, once per build, the memory of the process: its peak
# (VmHWM) and VmRSS once the window has settled, and VmRSS and VmHWM of a running show
# of the list (Alt+V, A, then N four times: the fifth picture on screen).
# The first ten paths are copies of two pictures, 1920 x 1080 and 6000 x 4000
# in turn (so that each step of the show changes the screen); the other
# 999,990 name files that do not exist ("/home/someone/Pictures/holiday/
# IMG_00000000011.jpg" and on), which a list file may hold.
#
#   tools/bench_launch/lists.sh [BUILD_DIR] [RUNS]
#
# BENCH_LAUNCH_BEFORE=DIR times an older build beside BUILD_DIR;
# BENCH_LAUNCH_ONLY, a pattern, keeps the cases whose names match. Needs
# xdotool besides what run.sh needs.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh"
bench_start "$@"

make_picture screen 1920x1080
make_picture large 6000x4000
LIST=$WORK/million.lum
mkdir -p "$WORK/real"
/usr/bin/python3 - "$LIST" "$WORK/real" "$PICTURES/screen.jpg" "$PICTURES/large.jpg" <<'PY'
import shutil, sys
list_file, real = sys.argv[1:3]
pictures = sys.argv[3:5]
with open(list_file, "w", newline="") as out:
    for i in range(1, 1000001):
        name = f"IMG_{i:011d}.jpg"
        if i <= 10:
            shutil.copy(pictures[i % 2], f"{real}/{name}")
            out.write(f"{real}/{name}\r\n")
        else:
            out.write(f"/home/someone/Pictures/holiday/{name}\r\n")
PY
write_ini RANDOM=False DELAY=10

# Launch to the main window: "first settled" in milliseconds.
window_ms() {
    local out
    out=$("$XPOLL" -w screen -q 1000 -T 60 -- "$1/lumarine" "$LIST" 2>/dev/null) || { echo timeout; return; }
    echo "$(field first_ms <<<"$out") $(field settled_ms <<<"$out")"
}

# Sends keys (xdotool key arguments) and waits until the screen has changed
# and been still for 0.5 s.
keys_then_still() {
    "$XPOLL" -N -w screen -q 500 -T 60 >/dev/null 2>&1 &
    local poller=$!
    sleep 0.3 # the poller's picture of the screen before the keys
    xdotool key "$@"
    wait $poller || echo "(no change on the screen after $*)" >&2
}

# Kilobytes of a /proc/PID/status field, as megabytes.
status_mb() {
    awk -v f="$2:" '$1 == f { printf "%.0f", $2 / 1024 }' "/proc/$1/status"
}

memory_of() {
    local pid
    "$XPOLL" -N -w screen -q 1000 -T 60 >/dev/null 2>&1 &
    local poller=$!
    sleep 0.3
    "$1/lumarine" "$LIST" >/dev/null 2>&1 &
    pid=$!
    wait $poller
    printf '  %-52s at the window: VmRSS %s MB, VmHWM %s MB' "$2" "$(status_mb $pid VmRSS)" "$(status_mb $pid VmHWM)"
    keys_then_still alt+v a
    for _ in 1 2 3 4; do keys_then_still n; done
    printf '; in the show, fifth picture: VmRSS %s MB, VmHWM %s MB\n' "$(status_mb $pid VmRSS)" \
        "$(status_mb $pid VmHWM)"
    kill $pid
    wait $pid 2>/dev/null || true
}

cases=("lumarine LIST (first settled)")
[ -n "${BENCH_LAUNCH_BEFORE:-}" ] && cases+=("before: lumarine LIST (first settled)")
filter_cases

run_case() {
    case "$1" in
    lumarine*) window_ms "$BUILD" ;;
    before*) window_ms "$BENCH_LAUNCH_BEFORE" ;;
    esac
}

# Each result is two numbers; the rounds record them as "first/settled".
run_case_pair() { run_case "$1" | tr ' ' '/'; }
for c in "${cases[@]}"; do run_case "$c" >/dev/null; done
for ((i = 0; i < RUNS; i++)); do
    for c in "${cases[@]}"; do record "$c" "$(run_case_pair "$c")"; done
done
echo "a list of 1,000,000 paths, launch to the main window, median of $RUNS runs (ms), Xvfb 1920x1080"
for c in "${cases[@]}"; do
    values=$(tr ' ' '\n' <<<"${RESULTS[$c]}" | grep -v '^$')
    printf '  %-52s first %s, settled %s   (%s)\n' "$c" "$(cut -d/ -f1 <<<"$values" | median)" \
        "$(cut -d/ -f2 <<<"$values" | median)" "${RESULTS[$c]% }"
done
echo "memory"
memory_of "$BUILD" "lumarine"
[ -n "${BENCH_LAUNCH_BEFORE:-}" ] && memory_of "$BENCH_LAUNCH_BEFORE" "before: lumarine"
exit 0
