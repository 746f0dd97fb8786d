# Starts Lumarine with an image list file named in two arguments (its name
# holds a blank) and reads the main list box through the accessibility tree:
# it must hold the file's paths, in the file's order.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"

printf '/pictures/zebra.jpg\r\n\r\n/pictures/Apple 10.jpg\r\n/pictures/apple 9.jpg\r\n' >"$WORK/my list.lum"
expected=$'/pictures/zebra.jpg\n/pictures/Apple 10.jpg\n/pictures/apple 9.jpg'

start_lumarine "$WORK/my" "list.lum"
# The Image List tab in front, as a user would look at it.
xdotool key --clearmodifiers ctrl+Tab
wait_for 20 list_is /pictures/ "$expected" || fail "the main list shows '$(list_items /pictures/)': $(a11y_tree)"
passed
