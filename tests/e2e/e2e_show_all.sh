# Starts Show All on the sample collection with a click on the toolbar's "All"
# button, found by its accessible name; checks from screenshots that a fitted,
# centred picture is shown and changes after the delay, and that Escape returns
# to the main window.
E2E_SESSION_BUS=1
source "$(dirname "$0")/lib.sh" "$@"

cat >"$LUMARINE_INI" <<INI
[Settings]
FirstStart=Done
ShowButtonNames=True
RANDOM=False
DELAY=1
TNSIZE=Small
TNPREVIEW=False
[PATHS]
BASE=$SAMPLE
INI

start_lumarine

# The picture's place: the bounding box of what is not black on the screen.
picture_box() {
    convert "$1" -fuzz 3% -trim -format '%w %h %X %Y\n' info: | tr -d '+'
}

# Whether a picture of width $1 and height $2 at $3, $4 stands within two
# pixels of the centre of the screen.
centred() {
    local across=$(((1280 - $1) / 2 - $3)) down=$(((1024 - $2) / 2 - $4))
    [ $across -ge -2 ] && [ $across -le 2 ] && [ $down -ge -2 ] && [ $down -le 2 ]
}

display_closed() {
    ! display_window
}

picture_on_screen() {
    screenshot "$WORK/first.png"
    read -r w h x y < <(picture_box "$WORK/first.png")
    [ "$w" -ge 100 ] && [ "$h" -ge 100 ]
}

screen_changed_from() {
    screenshot "$WORK/now.png"
    [ "$(compare -metric AE -fuzz 3% "$1" "$WORK/now.png" null: 2>&1 || true)" != 0 ]
}

click_on "push button" "All" 1
wait_for 20 display_window || fail "Show All opened no display window"
DISPLAY_WINDOW=$(display_window)
wait_for 10 covers_the_screen "$DISPLAY_WINDOW" || fail "the display window does not cover the screen: $(xdotool getwindowgeometry "$DISPLAY_WINDOW"; xdotool getwindowname "$DISPLAY_WINDOW")"

# The picture's box is left in w, h, x and y.
wait_for 10 picture_on_screen || fail "no picture appeared on the screen"
centred "$w" "$h" "$x" "$y" || fail "the first picture, ${w}x${h} at ${x},${y}, is not centred"

wait_for 10 screen_changed_from "$WORK/first.png" || fail "the picture did not change after the delay"
read -r w h x y < <(picture_box "$WORK/now.png")
centred "$w" "$h" "$x" "$y" || fail "the next picture, ${w}x${h} at ${x},${y}, is not centred"

# The display window takes the keyboard itself.
xdotool key Escape
wait_for 10 display_closed || fail "Escape did not close the display window"
xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Lumarine$' >/dev/null || fail "the main window is gone"
passed
