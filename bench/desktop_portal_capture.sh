#!/usr/bin/env bash
# Capture to saved PNG on headless GNOME Shell or KDE Plasma, where the pixels come from the
# desktop portal, against the bare portal call in the same run:
#   bench/desktop_portal_capture.sh path/to/TIVrevudu gnome|kde [rounds]
# Ours is timed from the command (a --capture full handed to the running copy, as a key bound in
# the desktop runs it while another program's window has the focus) to the file being there (it
# appears complete, under its name only once written); the bare call from the Screenshot call to
# the portal's answer, its picture written. The screen weighs: in software rendering the desktop
# paints its wallpaper, which an opaque window hides, for each picture, 3-5 times as long as such a
# window alone. Ours pictures the screen without any window of ours (our main window away in
# continuous capture, our small capture toolbar blanked and hidden for the capture). So each round
# takes the bare call on that same screen, with our program ended, and, for the figures before
# these, also on the screen as ours leaves it between captures (our toolbar up, in the picture),
# once as it is and once right after a window of the calling program left. Our program is started
# afresh each round, so that load that drifts in a run weighs on ours and the bare calls alike.
desktop=$2
# Each round starts our program and takes a region before its capture.
session_seconds_needed=$((120 + ${3:-8} * 40))
TIV_DESKTOP_TIMEOUT=${TIV_DESKTOP_TIMEOUT:-$session_seconds_needed}
source "$(dirname "$0")/../tests/$desktop/lib.sh"
rounds=${3:-8}
now() { date +%s%N; }
bare_call() { python3 "$(dirname "$0")/bare_portal_screenshot.py" 1 "$@"; }
[ "$desktop" != gnome ] || allow_screenshots
next=1  # the number of the program's next picture
# Starts our program in continuous capture, where a region taken through the region button puts
# the window away, and it stays away (only the small capture toolbar stays up); then another
# program's window takes the focus.
enter_continuous_capture() {
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
  wait_for_file "$pictures/$next.png" 100
  next=$((next + 1))
  [ -z "${other:-}" ] || { kill "$other"; wait "$other" 2>/dev/null || true; }
  other_window
  other=${pids[-1]}
}
# In continuous capture our toolbar, a window of its own, outlives the main window's closing, so
# the program leaves capture mode before it is told to end.
end_program() {
  "$prog" --leave
  sleep 1
  kill "$app"
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; read -r -t 0.1 -u 9 || true; done
  kill -0 "$app" 2>/dev/null && fail "our program did not end"
  wait "$app" 2>/dev/null || true
  sleep 1
}
# Our file is looked for without starting a process each time: a polling loop of `sleep`s takes
# CPU the desktop needs meanwhile.
mkfifo "$home/tick"
exec 9<>"$home/tick"
ours=() theirs=() after_hiding=() starts=() same_screen=() same_screen_after_hiding=() our_files=()
for _ in $(seq "$rounds"); do
  enter_continuous_capture
  t=$(now); "$prog" --capture full
  for _ in $(seq 4000); do [ -s "$pictures/$next.png" ] && break; read -r -t 0.005 -u 9 || true; done
  ours+=($(( ($(now) - t) / 1000000 )))
  our_files+=("$pictures/$next.png")
  next=$((next + 1))
  sleep 0.5
  theirs+=($(bare_call))
  after_hiding+=($(bare_call hide))
  # What of ours is the command's own start (loading the program and its libraries).
  t=$(now); "$prog" --version >/dev/null
  starts+=($(( ($(now) - t) / 1000000 )))
  end_program
  same_screen+=($(bare_call))
  same_screen_after_hiding+=($(bare_call hide))
done
# Our pictures must not show our toolbar, which is up between the captures: counted by its ground
# colour, of which the desktop's picture holds next to nothing.
toolbar_seen=0
for file in "${our_files[@]}"; do
  ground=$(convert "$file" -fill black +opaque '#f5fafe' -fill white -opaque '#f5fafe' -format '%[fx:round(mean*w*h)]' info:)
  [ "$ground" -lt 2000 ] || toolbar_seen=$((toolbar_seen + 1))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "$desktop: capture to PNG, 1024x768, median of $rounds (load $(cut -d' ' -f1-3 /proc/loadavg)):"
echo "  ours $(median "${ours[@]}") ms, the command's own start $(median "${starts[@]}") ms"
echo "  bare call on ours' screen (our program ended) $(median "${same_screen[@]}") ms, after a window left $(median "${same_screen_after_hiding[@]}") ms"
echo "  bare call with our toolbar up $(median "${theirs[@]}") ms, after a window left $(median "${after_hiding[@]}") ms"
echo "  ours against the bare call on its screen: $(ratio "$(median "${ours[@]}")" "$(median "${same_screen[@]}")")x"
echo "ours: ${ours[*]}"
echo "bare on ours' screen: ${same_screen[*]}"
echo "bare on ours' screen after a window left: ${same_screen_after_hiding[*]}"
echo "bare with our toolbar up: ${theirs[*]}"
echo "bare with our toolbar up after a window left: ${after_hiding[*]}"
echo "the command's start: ${starts[*]}"
echo "our pictures showing our toolbar: $toolbar_seen of $rounds"
