#!/usr/bin/env bash
# Captures taken just after the main window hides show only what lay below it (run by desktop.sh).
# The desktop picture tells each pixel's place, so any trace of the window, its frame or shadow
# makes the saved picture differ from it: three Ctrl+F captures, then a region dragged over most
# of the screen.
gradient=$2
source "$(dirname "$0")/lib.sh"
printf '[default]\nPicFormat=1\n' > "$work/bin/defualt.ini"
"$gradient" "$work/desk.ppm"
start_program
pictures=$HOME/TIVSoft/ZevazoRUV/IMG

# The pointer rests in the top-left corner: the cursor drawn into each capture is masked there.
same_as_desktop() { # picture, crop of the desktop it shows
  convert "$work/desk.ppm" -crop "$2" +repage -fill black -draw 'rectangle 0,0 63,63' "$work/expected.png"
  convert "$1" -fill black -draw 'rectangle 0,0 63,63' "$work/saved.png"
  local differ
  differ=$(compare -metric AE "$work/saved.png" "$work/expected.png" null: 2>&1 || true)
  echo "$1: $differ pixels differ from the desktop"
  [ "$differ" = 0 ] || { cp "$1" "/tmp/capture_hides_window_${TIV_WINDOW_MANAGER}_$(basename "$1")"; exit 1; }
}

screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
for n in 1 2 3; do
  xdotool mousemove 0 0
  xdotool windowfocus --sync "$(main_window)" keydown ctrl key f keyup ctrl
  wait_for_file "$pictures/$n.bmp"
  sleep 1
  same_as_desktop "$pictures/$n.bmp" "$screen+0+0"
done

# The cursor, drawn where the button was clicked, lies left of the dragged area.
click $REGION_BUTTON 1.5
x0=200 y0=60 x1=1240 y1=760
xdotool mousemove $x0 $y0 mousedown 1
for step in 1 2 3 4; do xdotool mousemove $((x0 + (x1 - x0) * step / 4)) $((y0 + (y1 - y0) * step / 4)); sleep 0.1; done
xdotool mouseup 1
wait_for_file "$pictures/4.bmp"
sleep 0.5
same_as_desktop "$pictures/4.bmp" "$((x1 - x0))x$((y1 - y0))+$x0+$y0"
exit_program
