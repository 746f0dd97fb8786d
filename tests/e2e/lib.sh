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

program_ended() {
    ! kill -0 "$APP_PID" 2>/dev/null
}

screenshot() {
    import -window root "$1"
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
