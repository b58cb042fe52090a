#!/usr/bin/env bash
# Hotkey captures on a desktop with a window manager: the window capture right after another
# capture, while the program's own window is active, takes the window that is active once it is
# hidden, or saves nothing; in a continuous run the capture toolbar is held by the manager between
# captures and stays out of the full-screen and region pictures taken by hotkey; and after a region
# capture the keys go back to the program that had them.
source "$(dirname "$0")/lib.sh"
# Esc only leaves the frozen desktop; Ctrl+Shift+Q leaves capture mode.
ctrl_shift_hotkeys > "$work/bin/defualt.ini"
start_program
pictures=$work/TIVSoft/ZevazoRUV/IMG

click $REGION_BUTTON 1.5
xdotool key Escape
sleep 1
xdotool key ctrl+shift+f
wait_for_file "$pictures/1.jpg"
sleep 1
# No other program's window is there to be active once the program's own is hidden.
xdotool windowactivate "$(main_window)"
sleep 0.5
xdotool key ctrl+shift+w
sleep 2
[ ! -f "$pictures/2.jpg" ] || { echo "the window capture saved $(identify -format '%wx%h' "$pictures/2.jpg") of no window"; exit 1; }

# The window below is taken, framed by the manager at most.
convert -size 300x200 xc:blue "$work/blue.xwd"
xwud -in "$work/blue.xwd" -geometry +800+80 -noclick & pids+=($!)
stdbuf -oL xev -geometry 300x150+850+560 -event keyboard > "$work/keys.log" 2>&1 & pids+=($!)
sleep 1
xdotool windowactivate "$(main_window)"
sleep 0.5
xdotool key ctrl+shift+w
sleep 2
next=2
if [ -f "$pictures/2.jpg" ]; then
  read -r w h <<< "$(identify -format '%w %h' "$pictures/2.jpg")"
  echo "the window capture saved ${w}x$h"
  [ "$w" -ge 300 ] && [ "$w" -le 340 ] && { [ "$h" -ge 150 ] && [ "$h" -le 250 ]; } \
    || { echo "that is not the window below the program's"; exit 1; }
  next=3
else
  echo "the window capture saved nothing"
fi

drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4)); sleep 0.1
  done
  xdotool mouseup 1
}
# Whether the picture $1 shows the toolbar's flat panel colour at $2,$3.
shows_toolbar() {
  read -r mean sd <<< "$(convert "$1" -crop "6x3+$2+$3" -format '%[fx:mean] %[fx:standard_deviation]' info:)"
  awk -v m="$mean" -v s="$sd" 'BEGIN { exit !(m > 0.9 && s < 0.05) }'
}

click $CONTINUOUS_BUTTON
click $REGION_BUTTON 1.5
drag 100 100 200 180
wait_for_file "$pictures/$next.jpg"
next=$((next + 1))
sleep 1
tb=$(toolbar)
[ -n "$tb" ] || { echo "no capture toolbar"; exit 1; }
xwininfo -id "$tb" | grep -q 'Override Redirect State: no' \
  || { echo "the toolbar is kept from the window manager between captures"; exit 1; }

geometry "$tb"
xdotool key ctrl+shift+f
wait_for_file "$pictures/$next.jpg"
! shows_toolbar "$pictures/$next.jpg" $((X + 1)) $((Y + 1)) || { echo "the toolbar is in the full-screen picture"; exit 1; }
next=$((next + 1))
sleep 1

# The region hotkey, pressed in another program; the region drawn takes in the toolbar's corner.
xdotool windowactivate "$(xdotool search --name 'Event Tester' | head -1)"
sleep 0.5
xdotool key ctrl+shift+a
sleep 1.5
geometry "$(toolbar)"
sx=$((X > 20 ? X - 20 : 0)) sy=$((Y > 20 ? Y - 20 : 0))
drag $sx $sy $((X + 100)) $((Y + 80))
wait_for_file "$pictures/$next.jpg"
! shows_toolbar "$pictures/$next.jpg" $((X + 1 - sx)) $((Y + 1 - sy)) || { echo "the toolbar is frozen into the region"; exit 1; }
sleep 1
before=$(grep -c 'keysym 0x78' "$work/keys.log" || true)
xdotool key x
sleep 0.5
after=$(grep -c 'keysym 0x78' "$work/keys.log" || true)
[ "$after" -gt "$before" ] || { echo "the keys do not reach the program that had them"; exit 1; }
echo "the keys went back to the program that had them"
