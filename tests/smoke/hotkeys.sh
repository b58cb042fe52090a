#!/usr/bin/env bash
# Capture mode from the region button: Ctrl+Shift+F captures while another window has the focus,
# a hotkey held by another program is reported, and after Esc the hotkeys are released.
holder=$2
source "$(dirname "$0")/lib.sh"
"$holder" a > "$work/holder.out" & pids+=($!)
for _ in $(seq 50); do grep -q holding "$work/holder.out" 2>/dev/null && break; sleep 0.1; done
convert -size 200x150 xc:blue "$work/other.xwd"
xwud -in "$work/other.xwd" -geometry +1000+600 -noclick & pids+=($!)
sleep 0.5
start_program

# The hint line runs along the main window's bottom, 11 pixels above its lower edge.
red_hint_pixels() {
  geometry "$(main_window)"
  import -window root -crop "760x28+$((X + 10))+$((Y + HEIGHT - 39))" "$work/hint.png"
  convert "$work/hint.png" -fill black -fuzz 30% +opaque red -fill white -fuzz 30% -opaque red \
    -format '%[fx:int(mean*w*h)]' info:
}
[ "$(red_hint_pixels)" -lt 20 ] || { echo "the hint line is not empty at start"; exit 1; }

# Ctrl+Shift+A is held by the other program: capture mode says so in the hint line, which
# shows again once Esc has left the frozen desktop.
click $REGION_BUTTON 1.2
xdotool key Escape
sleep 1
pixels=$(red_hint_pixels)
echo "red pixels in the hint line: $pixels"
[ "$pixels" -gt 50 ]

click $REGION_BUTTON 1.2
other=$(xdotool search --onlyvisible --class xwud | head -1)
xdotool windowfocus "$other"
sleep 0.3
xdotool key ctrl+shift+f
pictures=$work/TIVSoft/ZevazoRUV/IMG
wait_for_file "$pictures/1.jpg"
echo "captured while another window had the focus"

xdotool key Escape
sleep 1
xdotool key ctrl+shift+f
sleep 1
[ ! -f "$pictures/2.jpg" ] || { echo "a hotkey still worked after Esc"; exit 1; }
echo "hotkeys released after Esc"

