# Starts Lumarine on the sample collection, starts Show All with a click on
# the toolbar's "All" button, checks from screenshots that a fitted, centred
# picture is shown and changes after the delay, and that Escape returns to
# the main window.
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

display_window() {
    xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Form1$' | head -n 1 | grep .
}

# The picture's place: the bounding box of what is not black on the screen.
picture_box() {
    convert "$1" -fuzz 3% -trim -format '%w %h %X %Y\n' info: | tr -d '+'
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

# "All" is the tenth toolbar button; with the names shown it stands here.
message_box() {
    xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Lumarine$' | sed -n 2p | grep .
}

show_or_message() {
    display_window || message_box
}

xdotool mousemove --window "$MAIN_WINDOW" 301 38 click 1
wait_for 20 show_or_message || fail "Show All opened no display window"
display_window >/dev/null || fail "Show All answered with a message instead of a show"
DISPLAY_WINDOW=$(display_window)
covers_the_screen() {
    eval "$(xdotool getwindowgeometry --shell "$DISPLAY_WINDOW")"
    [ "$X" = 0 ] && [ "$Y" = 0 ] && [ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 1024 ]
}
wait_for 10 covers_the_screen || fail "the display window does not cover the screen: $(xdotool getwindowgeometry "$DISPLAY_WINDOW"; xdotool getwindowname "$DISPLAY_WINDOW")"

wait_for 10 picture_on_screen || fail "no picture appeared on the screen"
read -r w h x y < <(picture_box "$WORK/first.png")
echo "first picture at ${x},${y}, ${w}x${h}"
[ "$w" -le 1280 ] && [ "$h" -le 1024 ] || fail "the picture is larger than the screen"
[ $(((1280 - w) / 2 - x)) -ge -2 ] && [ $(((1280 - w) / 2 - x)) -le 2 ] || fail "not centred across (left $x)"
[ $(((1024 - h) / 2 - y)) -ge -2 ] && [ $(((1024 - h) / 2 - y)) -le 2 ] || fail "not centred down (top $y)"

wait_for 10 screen_changed_from "$WORK/first.png" || fail "the picture did not change after the delay"
read -r w h x y < <(picture_box "$WORK/now.png")
echo "next picture at ${x},${y}, ${w}x${h}"
[ $(((1280 - w) / 2 - x)) -ge -2 ] && [ $(((1280 - w) / 2 - x)) -le 2 ] || fail "the next picture is not centred"

# The display window takes the keyboard itself.
xdotool key Escape
wait_for 10 display_closed || fail "Escape did not close the display window"
xdotool search --all --pid "$APP_PID" --onlyvisible --name '^Lumarine$' >/dev/null || fail "the main window is gone"
echo "1 passed, 0 failed"
