# Starts Lumarine with an empty settings file, ends it through File, Exit with
# real key presses and checks the settings file it wrote.
source "$(dirname "$0")/lib.sh" "$@"

start_lumarine
[ -f "$LUMARINE_INI" ] || fail "the first start wrote no settings file"
grep -q '^ShowButtonNames=True' "$LUMARINE_INI" || fail "the first start did not turn the toolbar names on"
wait_for 10 grep -q '/lumarine.html$' "$WORK/opened" || fail "the first start did not open the manual"

open_menu alt+f
xdotool key x
wait_for 10 bash -c '! kill -0 "$1"' - "$APP_PID" || fail "File, Exit did not end the program"
wait "$APP_PID" || fail "the program ended with status $?"

for line in '[Settings]' 'FirstStart=Done' 'ShowButtonNames=True' 'RANDOM=False' 'DELAY=3' 'TNSIZE=Small' \
    'TNPREVIEW=False' '[PATHS]' 'BASE='; do
    grep -qxF "$line" "$LUMARINE_INI" || fail "the settings file lacks '$line'"
done
echo "1 passed, 0 failed"
