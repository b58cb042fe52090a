#!/usr/bin/env bash
# Ctrl+F saves the screen as 1.jpg and puts it on the clipboard; the folder, format and the
# continuous-capture toggle chosen in the window survive an exit and a new start.
source "$(dirname "$0")/lib.sh"
start_program
xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
pictures=$work/TIVSoft/ZevazoRUV/IMG
wait_for_file "$pictures/1.jpg"
sleep 0.5
xclip -selection clipboard -t image/png -o > "$work/clip.png"
[ "$(identify -format '%wx%h' "$work/clip.png")" = "$(identify -format '%wx%h' "$pictures/1.jpg")" ]
# The clipboard holds the capture itself; the file is its JPEG, a little off at most.
rmse=$( (compare -metric RMSE "$work/clip.png" "$pictures/1.jpg" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
echo "clipboard vs saved file RMSE: $rmse"
awk -v e="$rmse" 'BEGIN { exit !(e < 0.02) }'

click $PATH_FIELD
xdotool key ctrl+a type "$work/shots"
xdotool key Tab
sleep 0.3
click $FORMAT_FIELD
xdotool key Down Down Down Down Down Down
xdotool keydown ctrl key f keyup ctrl
wait_for_file "$work/shots/1.png"
click $CONTINUOUS_BUTTON
exit_program
ini=$work/bin/defualt.ini
grep -q "^PicPath=$work/shots\$" "$ini"
grep -q '^PicFormat=6$' "$ini"
grep -q '^ContinueCut=1$' "$ini"

# The last picture's folder is the picture folder again, with its format and the toggle.
start_program
xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
wait_for_file "$work/shots/2.png"
exit_program
grep -q '^ContinueCut=1$' "$ini"
echo "settings came back after a restart"

# A kill ends the program through its exit path: the toggle flipped just before is in the file.
start_program
click $CONTINUOUS_BUTTON
kill -TERM "$app"
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program did not end on SIGTERM"; exit 1; fi
grep -q '^ContinueCut=0$' "$ini"
echo "SIGTERM kept the settings"
