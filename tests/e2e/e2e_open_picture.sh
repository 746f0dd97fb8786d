# Starts Lumarine as the desktop does when a picture is opened with it
# ("lumarine folder/b.jpg") and checks from the screen that b is shown at once,
# full screen, and that Right goes on to c, the next picture of its folder.
source "$(dirname "$0")/lib.sh" "$@"

cat >"$LUMARINE_INI" <<INI
[Settings]
FirstStart=Done
DELAY=600
INI
# Three pictures, each one plain colour, so the screen tells which is shown.
mkdir -p "$WORK/folder"
convert -size 320x240 xc:'#ff0000' "$WORK/folder/a.jpg"
convert -size 320x240 xc:'#00ff00' "$WORK/folder/b.jpg"
convert -size 320x240 xc:'#0000ff' "$WORK/folder/c.jpg"

# The colour at the middle of the screen, as one of red, green, blue or other.
colour_at_middle() {
    import -window root "$WORK/now.png"
    convert "$WORK/now.png" -format '%[fx:int(255*p{640,512}.r)] %[fx:int(255*p{640,512}.g)] %[fx:int(255*p{640,512}.b)]' info: |
        awk '{ if ($1 > 200 && $2 < 60 && $3 < 60) print "red"; else if ($2 > 200 && $1 < 60 && $3 < 60) print "green";
               else if ($3 > 200 && $1 < 60 && $2 < 60) print "blue"; else print "other" }'
}
shows() {
    [ "$(colour_at_middle)" = "$1" ]
}

cd "$WORK"
"$LUMARINE" folder/b.jpg &
APP_PID=$!
wait_for 20 display_window || fail "no show started"
DISPLAY_WINDOW=$(display_window)
wait_for 10 covers_the_screen "$DISPLAY_WINDOW" || fail "the show does not cover the screen"
wait_for 10 shows green || fail "b is not shown: the middle of the screen is $(colour_at_middle)"

wait_for 10 xdotool windowfocus --sync "$DISPLAY_WINDOW" || fail "the show could not take the focus"
xdotool key Right
wait_for 10 shows blue || fail "Right did not go on to c: the middle of the screen is $(colour_at_middle)"
echo "1 passed, 0 failed"
