#!/usr/bin/env bash
# Hotkeys on a desktop with a window manager. The window capture right after another capture,
# with the program's own window active, takes the window active once it is hidden, or saves
# nothing. In a continuous run the toolbar is the manager's between captures and stays out of the
# pictures of the full-screen and region hotkeys; after a region capture the keys go back.
source "$(dirname "$0")/lib.sh"
# Esc only leaves the frozen desktop; Ctrl+Shift+Q leaves capture mode.
ctrl_shift_hotkeys > "$work/bin/defualt.ini"
start_program
pictures=$work/TIVSoft/ZevazoRUV/IMG
toolbar() { for w in $(xdotool search --onlyvisible --pid "$app" --name TIVrevudu); do [ "$(width "$w")" = 332 ] && echo "$w"; done; true; }
capture_window() { xdotool windowactivate "$(main_window)"; sleep 0.5; xdotool key ctrl+shift+w; sleep 2; }
width() { xwininfo -id "$1" 2>/dev/null | awk '/Width:/ {print $NF}'; }
# Waits for the frozen desktop: the main window over the whole screen.
frozen() { for _ in $(seq 50); do [ "$(width "$(main_window)")" = 1280 ] && return; sleep 0.2; done; }
# Whether picture $1 shows the toolbar's flat panel colour at $2,$3.
shows_toolbar() {
  read -r mean sd <<< "$(convert "$1" -crop "6x3+$2+$3" -format '%[fx:mean] %[fx:standard_deviation]' info:)"
  awk -v m="$mean" -v s="$sd" 'BEGIN { exit !(m > 0.9 && s < 0.05) }'
}

click $REGION_BUTTON 1.5
xdotool key Escape; sleep 1
xdotool key ctrl+shift+f
wait_for_file "$pictures/1.jpg"; sleep 1
# No other program's window is there to take.
capture_window
[ ! -f "$pictures/2.jpg" ] || { echo "saved $(identify -format '%wx%h' "$pictures/2.jpg") of no window"; exit 1; }

convert -size 300x200 xc:blue "$work/blue.xwd"
xwud -in "$work/blue.xwd" -geometry +800+80 -noclick & pids+=($!)
stdbuf -oL xev -geometry 300x150+850+560 -event keyboard > "$work/keys.log" 2>&1 & pids+=($!)
sleep 1
capture_window
next=2
if [ -f "$pictures/2.jpg" ]; then
  # One of the two windows, framed by the manager at most.
  read -r w h <<< "$(identify -format '%w %h' "$pictures/2.jpg")"
  [ "$w" -ge 300 ] && [ "$w" -le 340 ] && [ "$h" -ge 150 ] && [ "$h" -le 250 ] || { echo "saved ${w}x$h, not a window below"; exit 1; }
  next=3
fi

click $CONTINUOUS_BUTTON
click $REGION_BUTTON 1.5; frozen
drag 100 100 200 180
wait_for_file "$pictures/$next.jpg"; sleep 1
tb=$(toolbar)
xwininfo -id "$tb" | grep -q 'Override Redirect State: no' || { echo "the toolbar is kept from the manager"; exit 1; }
geometry "$tb"
xdotool key ctrl+shift+f
next=$((next + 1)); wait_for_file "$pictures/$next.jpg"; sleep 1
! shows_toolbar "$pictures/$next.jpg" $((X + 1)) $((Y + 1)) || { echo "the toolbar is in the full-screen picture"; exit 1; }

# The region hotkey pressed in another program; the region takes in the toolbar's corner.
xdotool windowactivate "$(xdotool search --name 'Event Tester' | head -1)"; sleep 0.5
xdotool key ctrl+shift+a; sleep 1.5; frozen
geometry "$(toolbar)"
sx=$((X > 20 ? X - 20 : 0)) sy=$((Y > 20 ? Y - 20 : 0))
drag $sx $sy $((X + 100)) $((Y + 80))
next=$((next + 1)); wait_for_file "$pictures/$next.jpg"
! shows_toolbar "$pictures/$next.jpg" $((X + 1 - sx)) $((Y + 1 - sy)) || { echo "the toolbar is frozen into the region"; exit 1; }
sleep 1; xdotool key x; sleep 0.5
grep -q 'keysym 0x78' "$work/keys.log" || { echo "the keys do not reach the program that had them"; exit 1; }
# Back to the main window through the toolbar, and out: the program ends.
xdotool mousemove --window "$(toolbar)" 257 78 click 1; sleep 1; exit_program
