# Shared steps of the end-to-end tests: run inside xvfb-run, with the program
# as $1 and the sample collection as $2.
set -euo pipefail

LUMARINE=$1
SAMPLE=$2
WORK=${LUMARINE_E2E_WORK:-$(mktemp -d)}
trap 'kill "${APP_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT
export LUMARINE_INI=$WORK/lumarine.ini
# The program's thumbnails, and whatever else it or the tools keep below HOME,
# stay in the test's own folder.
export HOME=$WORK/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
# Stands in for the desktop's opener: records what the program asked to open
# in $WORK/opened, so that no test starts the user's browser, and the answer
# does not depend on the machine's desktop.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<OPENER
#!/bin/sh
echo "\$1" >>"$WORK/opened"
OPENER
chmod +x "$WORK/bin/xdg-open"
export PATH=$WORK/bin:$PATH
# A test that reads the accessibility tree asks for a session bus of its own
# (E2E_SESSION_BUS=1). It starts once HOME is the test's, so that the services
# the bus starts keep their files in the test's folder too.
if [ -n "${E2E_SESSION_BUS:-}" ] && [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    export LUMARINE_E2E_WORK=$WORK
    exec dbus-run-session -- bash "$0" "$@"
fi
if [ -n "${E2E_SESSION_BUS:-}" ]; then
    TREE_TOOL=${LUMARINE_ATSPI_TREE:?the accessibility tree tool is not named}
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

start_lumarine() {
    "$LUMARINE" "$@" &
    APP_PID=$!
    wait_for 20 xdotool search --pid "$APP_PID" --name '^Lumarine$' || fail "no window named Lumarine appeared"
    MAIN_WINDOW=$(xdotool search --pid "$APP_PID" --name '^Lumarine$' | head -n 1)
    wait_for 10 xdotool windowfocus --sync "$MAIN_WINDOW" || fail "the main window could not take the focus"
}

screenshot() {
    import -window root "$1"
}

# The show's window, once one is on screen.
display_window() {
    xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Form1$' | head -n 1 | grep .
}

# Whether window $1 covers the whole 1280 x 1024 screen.
covers_the_screen() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    [ "$X" = 0 ] && [ "$Y" = 0 ] && [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 1024 ]
}

visible_windows() {
    xdotool search --all --pid "$APP_PID" --onlyvisible --name '.*' 2>/dev/null | wc -l
}

more_windows_than() {
    [ "$(visible_windows)" -gt "$1" ]
}

# Presses keys that open a menu and waits until it is on screen.
open_menu() {
    local before
    before=$(visible_windows)
    xdotool key --clearmodifiers "$1"
    wait_for 10 more_windows_than "$before" || fail "the menu opened by $1 did not appear"
}

# The program's accessibility tree, one node a line: depth, role, name, and
# "x y width height" on the screen (tests/e2e/atspi_tree.py). Its status is not the
# reader's: a reader that stops at what it wants breaks the pipe.
a11y_tree() {
    "$TREE_TOOL" Lumarine 2>/dev/null || true
}

# The centre, as "x y", of the first node of role $1 and name $2 that has a
# place on the screen; of the last such node when $3 is "last".
centre_of() {
    a11y_tree | awk -F'\t' -v role="$1" -v name="$2" -v which="${3:-first}" '
        $2 == role && $3 == name && split($4, r, " ") == 4 && r[3] > 0 && r[4] > 0 {
            at = int(r[1] + r[3] / 2) " " int(r[2] + r[4] / 2)
            if (which == "first") exit
        }
        END { if (at == "") exit 1; print at }'
}

# Whether the tree holds a node of role $1 and name $2, on screen or not.
shows() {
    a11y_tree | awk -F'\t' -v role="$1" -v name="$2" '$2 == role && $3 == name { found = 1 } END { exit !found }'
}

# Clicks button $3 on the node of role $1 and name $2 ($4: "last" for the
# last such node), once it is on screen.
click_on() {
    wait_for 10 centre_of "$1" "$2" "${4:-first}" || fail "no $1 '$2' on screen"
    # shellcheck disable=SC2046
    xdotool mousemove $(centre_of "$1" "$2" "${4:-first}") click "$3"
}

# The names of the list items that begin with $1, one a line.
list_items() {
    a11y_tree | awk -F'\t' -v start="$1" '$2 == "list item" && index($3, start) == 1 { print $3 }'
}

# Whether the list items that begin with $1 are, in order, the lines of $2.
list_is() {
    [ "$(list_items "$1")" = "$2" ]
}

# Saves a screenshot where LUMARINE_E2E_SCREENSHOT names, and reports success.
passed() {
    [ -z "${LUMARINE_E2E_SCREENSHOT:-}" ] || screenshot "$LUMARINE_E2E_SCREENSHOT"
    echo "1 passed, 0 failed"
}
