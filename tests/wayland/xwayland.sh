#!/usr/bin/env bash
# Run as an X client of sway, through XWayland, the program still takes its pictures from the
# desktop portal: XWayland's root window holds none of the desktop's native windows. The desktop
# here is a picture, which XWayland's root would show as black.
TIV_XWAYLAND=force
source "$(dirname "$0")/lib.sh"

swaymsg exec "echo \$DISPLAY > $home/display" >/dev/null
for _ in $(seq 50); do [ -s "$home/display" ] && break; sleep 0.1; done
display=$(cat "$home/display")
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
grim "$home/desktop-shot.png"
DISPLAY=$display QT_QPA_PLATFORM=xcb start_program --capture full
wait_for_file "$pictures/1.png"
same_pixels "$pictures/1.png" "$home/desktop-shot.png"
