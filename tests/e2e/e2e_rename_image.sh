# Starts Lumarine on an image list named in two arguments (its name holds a
# blank), as a desktop passes it, and reads the list through the accessibility
# tree: the file's paths in the file's order. Renames the first through the
# list's right-click menu with the keyboard: the file must carry the new name on
# disk, with its bytes, and the list must show the new path at its end. Then
# selects the other entry, right-clicks the renamed one and deletes it from the
# menu: the file pointed at must be gone, the selected one untouched.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"

mkdir -p "$WORK/pics"
first=$(find "$SAMPLE" -name '*.jpg' | sort | head -n 1)
[ -n "$first" ] || fail "no sample image in $SAMPLE"
cp "$first" "$WORK/pics/zebra.jpg"
cp "$first" "$WORK/pics/apple.jpg"
printf '%s\r\n\r\n%s\r\n' "$WORK/pics/zebra.jpg" "$WORK/pics/apple.jpg" >"$WORK/my list.lum"
printf '[Settings]\r\nFirstStart=Done\r\n' >"$LUMARINE_INI"

# The input box carries the program's title, like the main window.
input_box_shown() {
    [ "$(xdotool search --pid "$APP_PID" --onlyvisible --name '^Lumarine$' 2>/dev/null | wc -l)" -ge 2 ]
}

start_lumarine "$WORK/my" "list.lum"
click_on "page tab" "Image List" 1
wait_for 20 list_is "$WORK/pics/" "$WORK/pics/zebra.jpg"$'\n'"$WORK/pics/apple.jpg" ||
    fail "the list shows '$(list_items "$WORK/pics/")'"
click_on "list item" "$WORK/pics/zebra.jpg" 1
windows=$(visible_windows)
xdotool click 3
wait_for 10 more_windows_than "$windows" || fail "no pop-up menu appeared"
xdotool key r
wait_for 10 input_box_shown || fail "no input box appeared"
xdotool type --delay 20 "Holiday"
xdotool key Return
wait_for 10 test -f "$WORK/pics/Holiday.jpg" || fail "no Holiday.jpg on disk: $(ls "$WORK/pics")"
[ ! -e "$WORK/pics/zebra.jpg" ] || fail "zebra.jpg is still there"
cmp -s "$first" "$WORK/pics/Holiday.jpg" || fail "Holiday.jpg does not hold the image's bytes"
wait_for 20 list_is "$WORK/pics/" "$WORK/pics/apple.jpg"$'\n'"$WORK/pics/Holiday.jpg" ||
    fail "the list shows '$(list_items "$WORK/pics/")' after the rename"

click_on "list item" "$WORK/pics/apple.jpg" 1
windows=$(visible_windows)
click_on "list item" "$WORK/pics/Holiday.jpg" 3
wait_for 10 more_windows_than "$windows" || fail "no pop-up menu appeared on Holiday.jpg"
click_on "menu item" "Delete" 1
click_on "push button" "Yes" 1
wait_for 10 test ! -e "$WORK/pics/Holiday.jpg" || fail "Holiday.jpg is still there"
cmp -s "$first" "$WORK/pics/apple.jpg" || fail "apple.jpg changed or went"
passed
