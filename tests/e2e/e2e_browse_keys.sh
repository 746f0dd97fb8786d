# Opens the folder browser with the Actions tab's Browse button, found by its
# accessible name: the tree must stand at the base folder, and the Right key
# alone must open it so that its sub-folder appears in the accessibility tree.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"
TREE_TOOL=${LUMARINE_ATSPI_TREE:?the accessibility tree tool is not named}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

mkdir -p "$WORK/pics/outer/inner"
printf '[Settings]\r\nFirstStart=Done\r\n[PATHS]\r\nBASE=%s\r\n' "$WORK/pics/outer" >"$LUMARINE_INI"

# The centre of the last node of that role and name that has a place on the
# screen, as "x y": the Actions tab's Browse button comes after the toolbar's.
centre_of() {
    "$TREE_TOOL" Lumarine 2>/dev/null | awk -F'\t' -v role="$1" -v name="$2" '
        $2 == role && $3 == name && split($4, r, " ") == 4 && r[3] > 0 && r[4] > 0 {
            at = int(r[1] + r[3] / 2) " " int(r[2] + r[4] / 2)
        }
        END { if (at == "") exit 1; print at }'
}
shows() {
    "$TREE_TOOL" Lumarine 2>/dev/null | awk -F'\t' -v role="$1" -v name="$2" '
        $2 == role && $3 == name { found = 1 } END { exit !found }'
}

start_lumarine
wait_for 10 centre_of "push button" "Browse" || fail "no push button 'Browse' on screen"
# shellcheck disable=SC2046
xdotool mousemove $(centre_of "push button" "Browse") click 1
wait_for 10 xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Browse Directories$' ||
    fail "the folder browser did not open"
browser=$(xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Browse Directories$' | head -n 1)
wait_for 10 xdotool windowfocus --sync "$browser" || fail "the folder browser could not take the focus"
wait_for 10 shows "tree" "Folders" || fail "no tree named Folders"
wait_for 10 shows "tree item" "outer" || fail "the tree does not show the base folder"
! shows "tree item" "inner" || fail "the base folder is open before any key"
xdotool key --clearmodifiers Right
if ! wait_for 10 shows "tree item" "inner"; then
    "$TREE_TOOL" Lumarine >&2 || true
    fail "Right did not open the base folder"
fi
if [ -n "${LUMARINE_E2E_SCREENSHOT:-}" ]; then
    screenshot "$LUMARINE_E2E_SCREENSHOT"
fi
echo "1 passed, 0 failed"
