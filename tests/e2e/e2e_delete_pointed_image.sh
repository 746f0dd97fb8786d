# Opens a copy of the sample list, selects the Image List's first entry,
# right-clicks the second and deletes it from the menu: the file pointed at
# must be gone, the selected one untouched. Controls are found through the
# accessibility tree, by role and name, and clicked where it says they are.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"
TREE_TOOL=${LUMARINE_ATSPI_TREE:?the accessibility tree tool is not named}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

cp -r "$SAMPLE" "$WORK/sample"
awk -v from="$SAMPLE/" -v to="$WORK/sample/" \
    'index($0, from) == 1 { $0 = to substr($0, length(from) + 1) } { print }' \
    "$SAMPLE/sample.lum" >"$WORK/sample/sample.lum"
first=$(sed -n 1p "$WORK/sample/sample.lum" | tr -d '\r')
second=$(sed -n 2p "$WORK/sample/sample.lum" | tr -d '\r')
if [ ! -f "$first" ] || [ ! -f "$second" ]; then
    fail "the sample list does not start with two pictures of the copy"
fi
printf '[Settings]\r\nFirstStart=Done\r\n' >"$LUMARINE_INI"

# The centre of the first node of that role and name that has a place on
# the screen, as "x y".
centre_of() {
    "$TREE_TOOL" Lumarine 2>/dev/null | awk -F'\t' -v role="$1" -v name="$2" '
        $2 == role && $3 == name && split($4, r, " ") == 4 && r[3] > 0 && r[4] > 0 {
            print int(r[1] + r[3] / 2), int(r[2] + r[4] / 2); exit
        }'
}
on_screen() {
    [ -n "$(centre_of "$1" "$2")" ]
}
# Clicks button $3 on the node of role $1 and name $2, once it is on screen.
click_on() {
    wait_for 10 on_screen "$1" "$2" || fail "no $1 '$2' on screen"
    # shellcheck disable=SC2046
    xdotool mousemove $(centre_of "$1" "$2") click "$3"
}

start_lumarine "$WORK/sample/sample.lum"
click_on "page tab" "Image List" 1
# The tab list carries the name of the tab in front; the list's places hold from then on.
wait_for 10 on_screen "page tab list" "Image List" || fail "the Image List tab did not come to the front"
click_on "list item" "$first" 1
windows=$(visible_windows)
click_on "list item" "$second" 3
wait_for 10 more_windows_than "$windows" || fail "no pop-up menu appeared"
click_on "menu item" "Delete" 1
click_on "push button" "Yes" 1
wait_for 10 test ! -e "$second" || fail "$second is still there"
cmp -s "$SAMPLE/${first#"$WORK/sample/"}" "$first" || fail "$first changed or went"
if [ -n "${LUMARINE_E2E_SCREENSHOT:-}" ]; then
    screenshot "$LUMARINE_E2E_SCREENSHOT"
fi
echo "1 passed, 0 failed"
