# Opens a copy of the sample list, selects the Image List's first entry,
# right-clicks the second and deletes it from the menu: the file pointed at
# must be gone, the selected one untouched. Controls are found through the
# accessibility tree, by role and name, and clicked where it says they are.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"

cp -r "$SAMPLE" "$WORK/sample"
awk -v from="$SAMPLE/" -v to="$WORK/sample/" \
    'index($0, from) == 1 { $0 = to substr($0, length(from) + 1) } { print }' \
    "$SAMPLE/sample.lum" >"$WORK/sample/sample.lum"
first=$(sed -n 1p "$WORK/sample/sample.lum" | tr -d '\r')
second=$(sed -n 2p "$WORK/sample/sample.lum" | tr -d '\r')
[ -f "$first" ] && [ -f "$second" ] || fail "the sample list does not start with two pictures of the copy"
printf '[Settings]\r\nFirstStart=Done\r\n' >"$LUMARINE_INI"

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
passed
