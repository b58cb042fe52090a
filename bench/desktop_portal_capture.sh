#!/usr/bin/env bash
# Capture to saved PNG on headless GNOME Shell or KDE Plasma, where the pixels come from the
# desktop portal, against the bare portal call in the same run:
#   bench/desktop_portal_capture.sh path/to/TIVrevudu gnome|kde [rounds]
# Ours is timed from the command (a --capture full handed to the running copy) to the file being
# complete; the bare call from the Screenshot call to the portal's answer, its picture written.
desktop=$2
source "$(dirname "$0")/../tests/$desktop/lib.sh"
rounds=${3:-8}
now() { date +%s%N; }
[ "$desktop" != gnome ] || allow_screenshots
start_program
sleep 3
ours=() theirs=()
for i in $(seq "$rounds"); do
  t=$(now); "$prog" --capture full
  for _ in $(seq 4000); do [ -s "$pictures/$i.png" ] && identify "$pictures/$i.png" >/dev/null 2>&1 && break; sleep 0.005; done
  ours+=($(( ($(now) - t) / 1000000 )))
  sleep 0.5
  theirs+=($(python3 "$(dirname "$0")/bare_portal_screenshot.py" 1))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "$desktop: capture to PNG, 1024x768, median of $rounds: ours $(median "${ours[@]}") ms, bare portal call $(median "${theirs[@]}") ms"
echo "ours: ${ours[*]}"
echo "bare portal: ${theirs[*]}"
