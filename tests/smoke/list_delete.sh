#!/usr/bin/env bash
# Deletes two pictures through the picture list's pop-up menu: both files are gone, the others
# stay, and the list shows the rest.
source "$(dirname "$0")/lib.sh"
pictures=$work/TIVSoft/ZevazoRUV/IMG
mkdir -p "$pictures"
for n in 1 2 3 4; do convert -size 40x30 xc:red "$pictures/$n.jpg"; done
start_program

# Rows of the list, 16 pixels apart, in the main window.
row() { echo "229 $((159 + 16 * $1))"; }
click $(row 0)
xdotool mousemove --window "$win" $(row 2) keydown ctrl click 1 keyup ctrl
sleep 0.3
xdotool mousemove --window "$win" $(row 2) click 3
sleep 0.5
# The third entry of the menu: "删除当前图片".
xdotool key Down Down Down Return
for _ in $(seq 50); do [ ! -e "$pictures/1.jpg" ] && [ ! -e "$pictures/3.jpg" ] && break; sleep 0.1; done
[ ! -e "$pictures/1.jpg" ] && [ ! -e "$pictures/3.jpg" ] || { echo "the pictures were not deleted"; ls "$pictures"; exit 1; }
[ -e "$pictures/2.jpg" ] && [ -e "$pictures/4.jpg" ] || { echo "a picture was deleted that was not chosen"; exit 1; }

# The refilled list holds 2.jpg and 4.jpg: its second row is 4.jpg, and the Delete key takes it.
click $(row 1)
xdotool key Delete
for _ in $(seq 50); do [ ! -e "$pictures/4.jpg" ] && break; sleep 0.1; done
[ ! -e "$pictures/4.jpg" ] && [ -e "$pictures/2.jpg" ] || { echo "the list does not show the rest"; ls "$pictures"; exit 1; }
exit_program
echo "two pictures deleted from the list's menu; the list shows the rest"
