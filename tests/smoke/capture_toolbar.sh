#!/usr/bin/env bash
# Continuous region capture with the capture toolbar on the real X server: two drags, both files
# reachable from the toolbar's list, a full-screen capture from the toolbar that shows the toolbar,
# and the toolbar's way back to the main window.
source "$(dirname "$0")/lib.sh"
screen=$(xdpyinfo | awk '/dimensions:/ {print $2}')
convert -seed 5 -size "$screen" xc: +noise Random -colorspace Gray -depth 8 "$work/desk.xwd"
xwud -in "$work/desk.xwd" -geometry +0+0 -noclick & pids+=($!)
# The desktop's opener is a stand-in that notes what it was asked to open.
printf '#!/bin/sh\necho "$@" >> %s/opened.log\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
sleep 0.5
start_program
pictures=$work/TIVSoft/ZevazoRUV/IMG

# Both windows are titled alike; the toolbar is the one 332 pixels wide.
toolbar() {
  for w in $(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null); do
    [ "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')" = 332 ] && { echo "$w"; return; }
  done
  return 0
}
drag() {
  geometry "$(main_window)"
  xdotool mousemove $((X + $1)) $((Y + $2)) mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove $((X + $1 + ($3 - $1) * step / 4)) $((Y + $2 + ($4 - $2) * step / 4)); sleep 0.1
  done
  xdotool mouseup 1
  sleep 1.5
}
on_toolbar() { xdotool mousemove --window "$tb" "$1" "$2" click ${3:+--repeat $3} 1; sleep "${4:-0.5}"; }

click $CONTINUOUS_BUTTON
click $REGION_BUTTON 1.5
tb=$(toolbar)
[ -n "$tb" ] || { echo "no capture toolbar"; exit 1; }
drag 500 100 600 180
wait_for_file "$pictures/1.jpg"
[ -z "$(main_window)" ] || { echo "the main window stayed after a continuous capture"; exit 1; }

on_toolbar 257 24 "" 2
drag 480 300 640 420
wait_for_file "$pictures/2.jpg"
echo "two regions saved: $(identify -format '%wx%h ' "$pictures"/1.jpg "$pictures"/2.jpg)"

# Double-click the first entry, then step to the second and double-click the preview: each opens
# its file once.
on_toolbar 150 33 2
xdotool windowfocus "$tb"; xdotool key Down; sleep 0.3
on_toolbar 59 60 2
for _ in $(seq 30); do [ "$(wc -l < "$work/opened.log" 2>/dev/null || echo 0)" -ge 2 ] && break; sleep 0.1; done
cat "$work/opened.log"
grep -q "1.jpg" <(sed -n 1p "$work/opened.log") || { echo "the first entry did not open 1.jpg"; exit 1; }
grep -q "2.jpg" <(sed -n 2p "$work/opened.log") || { echo "the second entry did not open 2.jpg"; exit 1; }
sleep 0.5
[ "$(wc -l < "$work/opened.log")" -eq 2 ] || { echo "a double-click opened a picture more than once"; exit 1; }

# A full-screen capture from the toolbar shows the toolbar in its flat panel colour.
geometry "$tb"
on_toolbar 257 51 "" 1
wait_for_file "$pictures/3.jpg"
read -r mean sd <<< "$(convert "$pictures/3.jpg" -crop "6x3+$((X + 1))+$((Y + 1))" -format '%[fx:mean] %[fx:standard_deviation]' info:)"
echo "toolbar corner in the full-screen picture: mean $mean, deviation $sd"
awk -v m="$mean" -v s="$sd" 'BEGIN { exit !(m > 0.9 && s < 0.05) }'

# The way back: the main window returns and the hotkeys are released.
on_toolbar 257 78 "" 1
[ -z "$(toolbar)" ] || { echo "the toolbar stayed"; exit 1; }
[ -n "$(main_window)" ] || { echo "the main window did not come back"; exit 1; }
xdotool key ctrl+shift+f; sleep 1
[ ! -f "$pictures/4.jpg" ] || { echo "a hotkey still worked after the way back"; exit 1; }
echo "back in the main window with the hotkeys released"
exit_program

# Ending with the session while the toolbar is up ends the program, toolbar and all.
start_program
click $REGION_BUTTON 1.5
[ -n "$(toolbar)" ] || { echo "no capture toolbar after a restart"; exit 1; }
drag 500 100 600 180
wait_for_file "$pictures/4.jpg"
kill -TERM "$app"
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program did not end on SIGTERM with its toolbar up"; exit 1; fi
echo "SIGTERM ended the program with its toolbar up"
