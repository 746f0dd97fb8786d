# Opens the folder browser with the Actions tab's Browse button, found by its
# accessible name: the tree must stand at the base folder, and the Right key
# alone must open it so that its sub-folder appears in the accessibility tree.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"

mkdir -p "$WORK/pics/outer/inner"
printf '[Settings]\r\nFirstStart=Done\r\n[PATHS]\r\nBASE=%s\r\n' "$WORK/pics/outer" >"$LUMARINE_INI"

start_lumarine
# The Actions tab's Browse button comes after the toolbar's.
click_on "push button" "Browse" 1 last
wait_for 10 xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Browse Directories$' ||
    fail "the folder browser did not open"
browser=$(xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Browse Directories$' | head -n 1)
wait_for 10 xdotool windowfocus --sync "$browser" || fail "the folder browser could not take the focus"
wait_for 10 shows "tree" "Folders" || fail "no tree named Folders"
wait_for 10 shows "table cell" "outer" || fail "the tree does not show the base folder"
! shows "table cell" "inner" || fail "the base folder is open before any key"
xdotool key --clearmodifiers Right
wait_for 10 shows "table cell" "inner" || fail "Right did not open the base folder: $(a11y_tree)"
passed
