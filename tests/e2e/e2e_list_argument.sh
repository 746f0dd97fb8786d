# Starts Lumarine with an image list file named in two arguments (its name
# holds a blank) and reads the main list box through the accessibility tree:
# it must hold the file's paths, in the file's order.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"
TREE_TOOL=${LUMARINE_ATSPI_TREE:?the accessibility tree tool is not named}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

printf '/pictures/zebra.jpg\r\n\r\n/pictures/Apple 10.jpg\r\n/pictures/apple 9.jpg\r\n' >"$WORK/my list.lum"
expected=$'/pictures/zebra.jpg\n/pictures/Apple 10.jpg\n/pictures/apple 9.jpg'

list_items() {
    "$TREE_TOOL" Lumarine 2>/dev/null | awk -F'\t' '$2 == "list item" && $3 ~ /^\/pictures\// { print $3 }'
}
list_shows_paths() {
    [ "$(list_items)" = "$expected" ]
}

start_lumarine "$WORK/my" "list.lum"
# The Image List tab in front, as a user would look at it.
xdotool key --clearmodifiers ctrl+Tab
if ! wait_for 20 list_shows_paths; then
    "$TREE_TOOL" Lumarine >&2 || true
    fail "the main list shows '$(list_items)' instead of the file's paths"
fi
if [ -n "${LUMARINE_E2E_SCREENSHOT:-}" ]; then
    screenshot "$LUMARINE_E2E_SCREENSHOT"
fi
echo "1 passed, 0 failed"
