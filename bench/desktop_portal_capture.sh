#!/usr/bin/env bash
# Capture to saved PNG on headless GNOME Shell or KDE Plasma, where the pixels come from the
# desktop portal, against the bare portal call in the same run:
#   bench/desktop_portal_capture.sh path/to/TIVrevudu gnome|kde [rounds]
# Ours is timed from the command (a --capture full handed to the running copy, as a key bound in
# the desktop runs it while another program's window has the focus) to the file being there (it
# appears complete, under its name only once written); the bare call from the Screenshot call to
# the portal's answer, its picture written, once on the screen as it is and once right after a
# window of the calling program left it. All see the same screen, the desktop with our main
# window away: in software rendering the desktop paints its wallpaper, which an opaque maximised
# window hides, for each picture, 3-5 times as long as such a window alone, so a bare call taken
# while our window is up would be measured on a cheaper screen.
desktop=$2
source "$(dirname "$0")/../tests/$desktop/lib.sh"
rounds=${3:-8}
now() { date +%s%N; }
[ "$desktop" != gnome ] || allow_screenshots
# In continuous capture a region taken through the region button puts the window away, and it
# stays away (only the small capture toolbar stays up).
printf '[default]\nPicFormat=6\nContinueCut=1\n' > "$home/bin/defualt.ini"
start_program
sleep 3
# The region button of the maximised window (below GNOME's top bar).
if [ "$desktop" = kde ]; then input move 81 224; else input move 84 257; fi
input click
if [ "$desktop" = kde ]; then wait_for_frozen_desktop; fi
sleep 4
input move 50 550
input press
input move 300 700
input release
wait_for_file "$pictures/1.png" 100
other_window
# Our file is looked for without starting a process each time: a polling loop of `sleep`s takes
# CPU the desktop needs meanwhile.
mkfifo "$home/tick"
exec 9<>"$home/tick"
ours=() theirs=() after_hiding=() starts=()
for i in $(seq 2 $((rounds + 1))); do
  t=$(now); "$prog" --capture full
  for _ in $(seq 4000); do [ -s "$pictures/$i.png" ] && break; read -r -t 0.005 -u 9 || true; done
  ours+=($(( ($(now) - t) / 1000000 )))
  sleep 0.5
  theirs+=($(python3 "$(dirname "$0")/bare_portal_screenshot.py" 1))
  after_hiding+=($(python3 "$(dirname "$0")/bare_portal_screenshot.py" 1 hide))
  # What of ours is the command's own start (loading the program and its libraries).
  t=$(now); "$prog" --version >/dev/null
  starts+=($(( ($(now) - t) / 1000000 )))
done
# Our pictures must not show our toolbar, which is up between the captures: counted by its ground
# colour, of which the desktop's picture holds next to nothing.
toolbar_seen=0
for i in $(seq 2 $((rounds + 1))); do
  ground=$(convert "$pictures/$i.png" -fill black +opaque '#f5fafe' -fill white -opaque '#f5fafe' -format '%[fx:round(mean*w*h)]' info:)
  [ "$ground" -lt 2000 ] || toolbar_seen=$((toolbar_seen + 1))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "$desktop: capture to PNG, 1024x768, median of $rounds: ours $(median "${ours[@]}") ms, bare portal call $(median "${theirs[@]}") ms, bare call after a window left $(median "${after_hiding[@]}") ms, the command's own start $(median "${starts[@]}") ms (load $(cut -d' ' -f1-3 /proc/loadavg))"
echo "ours: ${ours[*]}"
echo "bare portal: ${theirs[*]}"
echo "bare after a window left: ${after_hiding[*]}"
echo "the command's start: ${starts[*]}"
echo "our pictures showing our toolbar: $toolbar_seen of $rounds"
