#!/usr/bin/env bash
# On headless GNOME Shell 43: full-screen and region captures hold exactly the screen's pixels
# and leave no picture of the portal's in the Pictures folder; with the screenshot permission
# unset and the desktop's question left unanswered nothing is saved anywhere, and once allowed
# the capture lands. A window capture is picked in the desktop's own screenshot dialog.
source "$(dirname "$0")/lib.sh"

allow_screenshots
reference_shot "$home/desktop-shot.png"
start_program --capture full
wait_for_file "$pictures/1.png" 300
same_pixels "$pictures/1.png" "$home/desktop-shot.png" 40

# The window is back and has the focus; Ctrl+F captures again.
sleep 1
keys Control_L f
wait_for_file "$pictures/2.png" 300
same_pixels "$pictures/2.png" "$home/desktop-shot.png" 40

# A region dragged on the frozen desktop, 300x200 from 100,150.
timeout 10 "$prog" --capture region
# The frozen desktop takes a moment to cover the screen.
sleep 4
input move 100 150
input press
input move 250 250
input move 400 350
input release
wait_for_file "$pictures/3.png" 100
convert "$home/desktop-shot.png" -crop 300x200+100+150 +repage "$home/region.png"
same_pixels "$pictures/3.png" "$home/region.png"
keys Escape
no_stray_pictures

# Not allowed yet: the program's window asks, and the question is left unanswered past the
# portal's own wait of 25 s.
permission_store DeletePermission screenshot screenshot '' >/dev/null
sleep 1
keys Control_L f
sleep 28
[ ! -e "$pictures/4.png" ] || fail "saved without the permission"
no_stray_pictures
# The portal has dropped the question, but GNOME leaves its dialog up; closed, and asked again
# and allowed (the question's default button refuses; Allow is right of the middle).
keys Escape
sleep 1
keys Control_L f
sleep 3
input move 634 480
input click
wait_for_file "$pictures/4.png" 300
same_pixels "$pictures/4.png" "$home/desktop-shot.png" 40
sleep 2
[ ! -e "$pictures/5.png" ] || fail "one key press saved two pictures"
no_stray_pictures
# Nor anywhere else in the home folder (the test's own pictures aside).
stray=$(find "$home" -newer "$home/desktop-shot.png" -name '*.png' ! -path "$pictures/*" ! -name 'compared-*' ! -name region.png)
[ -z "$stray" ] || fail "pictures left: $stray"

# A window picked in the portal's own dialog (the current one: the other program's, focused once
# ours is away), taken and shared; the dialog's corner is found from its blue button's.
other_window
reference_window "$home/window-shot.png"
timeout 20 "$prog" --capture window
sleep 4
reference_shot "$home/dialog.png"
read -r x y < <(convert "$home/dialog.png" -fuzz 3% -fill black +opaque '#3584e4' -trim -format '%[fx:page.x+w-493] %[fx:page.y-6]\n' info:)
input move $((x + 53)) $((y + 147))
input click
input move $((x + 410)) $((y + 22))
input click
sleep 4
input move $((x + 452)) $((y + 22))
input click
wait_for_file "$pictures/5.png" 100
same_pixels "$pictures/5.png" "$home/window-shot.png"
no_stray_pictures
