#!/usr/bin/env bash
# The cold thumbnail page timed from outside: a list of 60 pictures of
# 4000 x 3000 (copies of one plasma picture under different names), an empty
# thumbnail cache, the settings asking for small thumbnails in the preview;
# from the key that opens it (Alt+V, P: Preview All) to the last change of
# the screen, when the 30th thumbnail of the page has been painted. Against
# `djpeg -scale 1/8` over the same 30 files in two parallel streams in the
# same run, alone and while the poller grabs the screen as it does while it
# waits for the page (xpoll -W): the poller's share of the processors is part
# of what the program's figure carries.
#
#   tools/bench_launch/thumbs.sh [BUILD_DIR] [RUNS]
#
# BENCH_LAUNCH_BEFORE=DIR times an older build beside BUILD_DIR;
# BENCH_LAUNCH_ONLY, a pattern, keeps the cases whose names match.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh"
bench_start "$@"

make_picture twelve 4000x3000
FILES=$PICTURES/thumbs
mkdir -p "$FILES"
: >"$WORK/page.lum"
for i in $(seq -w 1 60); do
    [ -s "$FILES/photo$i.jpg" ] || cp "$PICTURES/twelve.jpg" "$FILES/photo$i.jpg"
    printf '%s\r\n' "$FILES/photo$i.jpg" >>"$WORK/page.lum"
done
PAGE=("$FILES"/photo0[1-9].jpg "$FILES"/photo[1-2][0-9].jpg "$FILES"/photo30.jpg)
[ ${#PAGE[@]} -eq 30 ] || { echo "the page is ${#PAGE[@]} files"; exit 1; }
write_ini RANDOM=False DELAY=10 TNSIZE=Small TNPREVIEW=True
cat "$FILES"/*.jpg >/dev/null

# Two streams of djpeg -scale 1/8, the odd files and the even ones.
two_streams() {
    local i odd
    for ((i = 0; i < 30; i += 2)); do djpeg -scale 1/8 "${PAGE[i]}" >/dev/null; done &
    odd=$!
    for ((i = 1; i < 30; i += 2)); do djpeg -scale 1/8 "${PAGE[i]}" >/dev/null; done
    wait $odd
}
export -f two_streams
export PAGE_LIST="${PAGE[*]}"

# The main window on the list, quiet for 0.5 s, then Alt+V, P: the
# milliseconds from the P to the last change of the screen (1 s quiet after).
page_ms() {
    local out
    rm -rf "$XDG_CACHE_HOME/thumbnails"
    out=$("$XPOLL" -w screen -q 500 -d 0 -k alt+v,p -K screen -Q 1000 -T 60 -- "$1/lumarine" "$WORK/page.lum" \
        2>/dev/null) || { echo timeout; return; }
    field key_settled_ms <<<"$out"
}

cases=("two djpeg -scale 1/8 streams" "two djpeg streams, screen grabbed" "lumarine Preview, cold page")
[ -n "${BENCH_LAUNCH_BEFORE:-}" ] && cases+=("before: lumarine Preview, cold page")
filter_cases

# shellcheck disable=SC2016 # the single-quoted commands are expanded by their own shell
run_case() {
    case "$1" in
    "two djpeg -scale"*) elapsed_ms two_streams ;;
    "two djpeg streams, screen"*)
            "$XPOLL" -W -T 60 -- bash -c 'PAGE=($PAGE_LIST); two_streams' 2>/dev/null | field exit_ms ;;
    "lumarine Preview"*) page_ms "$BUILD" ;;
    "before: lumarine Preview"*) page_ms "$BENCH_LAUNCH_BEFORE" ;;
    esac
}

run_rounds
print_results "cold page of 30 thumbnails of 12 MP, median of $RUNS runs (ms), Xvfb 1920x1080"
