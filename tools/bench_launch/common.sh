# shellcheck shell=bash
# Set-up shared by the benchmarks of this folder that time the program from
# outside; sourced by them, not run. After `bench_start "$@"` the script runs
# under its own Xvfb screen of 1920x1080 (with openbox when installed) with:
#   BUILD RUNS   the build folder and the number of timed rounds (arguments 1, 2)
#   WORK         a temporary folder, removed at exit; HOME and the XDG folders
#                and the settings file (LUMARINE_INI) lie in it
#   XPOLL        the screen poller (xpoll.c, whose header gives its options)
#   PICTURES     where generated pictures are kept between runs
# BENCH_LAUNCH_BEFORE=DIR names an older build to time beside BUILD.

bench_start() {
    HERE=$(cd "$(dirname "$0")" && pwd)
    BUILD=$(cd "${1:-build}" && pwd)
    RUNS=${2:-5}
    if [ -z "${BENCH_LAUNCH_INNER:-}" ]; then
        export BENCH_LAUNCH_INNER=1
        exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$BUILD" "$RUNS"
    fi

    WORK=$(mktemp -d)
    trap 'bench_cleanup' EXIT
    export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    export LUMARINE_INI=$WORK/lumarine.ini

    XPOLL=$WORK/xpoll
    gcc -O2 -o "$XPOLL" "$HERE/xpoll.c" -lX11 -lXext -lXtst -lm

    PICTURES=${BENCH_LAUNCH_PICTURES:-$BUILD/bench-launch-pictures}
    mkdir -p "$PICTURES"

    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        sleep 1
    fi
}

# Scripts add their own clean-up (an unmount) by defining bench_extra_cleanup.
bench_cleanup() {
    declare -F bench_extra_cleanup >/dev/null && bench_extra_cleanup
    # shellcheck disable=SC2046 # one word per job
    kill $(jobs -p) 2>/dev/null || true
    rm -rf "$WORK"
}

# A picture with texture everywhere, so that a flat window never passes for one.
make_picture() {
    [ -s "$PICTURES/$1.jpg" ] || convert -seed 7 -size "$2" plasma:fractal -blur 0x1 -quality 90 "$PICTURES/$1.jpg"
}

# The settings file: the lines given are added to the [Settings] section
# after those every run needs.
write_ini() {
    {
        printf '[Settings]\nFirstStart=Done\nShowButtonNames=True\n'
        for line in "$@"; do printf '%s\n' "$line"; done
    } >"$LUMARINE_INI"
}

# One field of an xpoll output line: `field key_ms <<<"$out"`.
field() {
    sed -n "s/.*\\b$1=\\([-0-9]*\\).*/\\1/p"
}

# Milliseconds that a command takes, printed.
elapsed_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
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

# BENCH_LAUNCH_ONLY, a pattern, keeps the cases of the array `cases` whose
# names match it.
filter_cases() {
    [ -n "${BENCH_LAUNCH_ONLY:-}" ] || return 0
    local kept=() c
    for c in "${cases[@]}"; do [[ $c =~ $BENCH_LAUNCH_ONLY ]] && kept+=("$c"); done
    cases=("${kept[@]}")
}

# A warm-up round fills the page cache and the font caches; then the cases
# take turns, so that a busy moment of the machine falls on all of them.
# Each case's result is one word printed by `run_case NAME`, defined by the
# script.
run_rounds() {
    local c i
    for c in "${cases[@]}"; do run_case "$c" >/dev/null; done
    for ((i = 0; i < RUNS; i++)); do
        for c in "${cases[@]}"; do record "$c" "$(run_case "$c")"; done
    done
}

print_results() {
    echo "$1"
    local c
    for c in "${cases[@]}"; do
        printf '  %-52s %7s   (%s)\n' "$c" "$(tr ' ' '\n' <<<"${RESULTS[$c]}" | grep -v '^$' | median)" \
            "${RESULTS[$c]% }"
    done
}
