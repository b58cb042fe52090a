#!/usr/bin/env bash
# Times the full-screen grab, capture to a saved file and the start-up to a shown main window on a
# private 1920x1080 Xvfb display that shows the desktop-like picture of shared/bench/make-desktop.sh;
# then, under openbox on the same display, the click on the region button to the frozen desktop
# taking turns with flameshot's region selector, and hotkey 1 to the saved PNG; then the peers
# (scrot, maim, import) on the same kind of display through shared/bench/peer-capture.sh.
# usage: bench/run-capture.sh [BUILD_DIR]   (a build configured with -DTIV_BUILD_BENCH=ON)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-bench}
shared=${TIV_SHARED:-$here/../../shared}
[[ -f $build/build.ninja ]] || cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIV_BUILD_BENCH=ON -DTIV_BUILD_TESTS=OFF
cmake --build "$build"
source "$here/desktop-display.sh"
"$build/bench/bench_screen_grab" --benchmark_min_time=0.5 --benchmark_enable_random_interleaving=true
# Capture to file, ours and scrot taking turns on this display so that both see the same load: three
# rounds of ours (each 3x15 captures), each followed by three scrot runs per format.
middle() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for _ in 1 2 3; do
  "$build/bench/bench_capture_to_file" | tee -a "$work/ours.txt"
  for _ in 1 2 3; do
    for kind in jpg png; do
      t0=$(date +%s%N)
      if [[ $kind == jpg ]]; then scrot -o -q 100 "$work/scrot.jpg"; else scrot -o "$work/scrot.png"; fi
      echo $((($(date +%s%N) - t0) / 1000)) >> "$work/scrot-$kind.us"
    done
  done
done
for kind in Jpeg:jpg Png:png; do
  ours=$(awk -v k="${kind%%:*}" '$1 ~ k && $1 ~ /_median/ {print $2}' "$work/ours.txt" | middle)
  scrot=$(middle < "$work/scrot-${kind#*:}.us")
  awk -v k="${kind%%:*}" -v o="$ours" -v s="$scrot" \
    'BEGIN {printf "capture to %s file, taking turns: ours %.1f ms (median of 3 medians), scrot %.1f ms (median of 9): %.2fx\n", k, o, s / 1000, o * 1000 / s}'
done

# Start-up: from exec to the main window being mapped, median of 7 runs; once with no settings
# file, once re-opening the last picture of a folder of 10,000 files.
mkdir -p "$work/bin" "$work/pics"
cp "$build/TIVrevudu" "$work/bin/"
time_startup() {
  for _ in $(seq 7); do
    t0=$(date +%s%N)
    "$work/bin/TIVrevudu" >/dev/null 2>&1 & app=$!
    # A tight, bounded poll: xdotool's own --sync waits in half-second steps.
    for _ in $(seq 500); do xdotool search --onlyvisible --pid "$app" --name TIVrevudu >/dev/null 2>&1 && break; sleep 0.01; done
    t1=$(date +%s%N)
    kill "$app"; wait "$app" 2>/dev/null || true
    echo $(((t1 - t0) / 1000000))
  done | sort -n | awk -v what="$1" '{a[NR]=$1} END {printf "start-up to shown main window, %s: median %d ms (of %d runs)\n", what, a[int((NR+1)/2)], NR}'
}
time_startup "no settings file"
(cd "$work/pics" && seq 1 10000 | sed 's/$/.jpg/' | xargs touch)
cp "$work/desk.png" "$work/pics/10001.png"
printf '[default]\nPicPath=%s/pics\nCurPicName=%s/pics/10001.png\n' "$work" "$work" > "$work/bin/defualt.ini"
time_startup "last picture in a folder of 10,000 files"

# Under a window manager, which frames and maximises the main window. The region figures run from
# just before the command starts (xdotool's or flameshot's own start is inside) and are medians
# of 9.
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
median_of() { sort -n | awk -v what="$1" '{a[NR]=$1} END {printf "%s: median %.1f ms (of %d runs, %.1f to %.1f)\n", what, a[int((NR+1)/2)], NR, a[1], a[NR]}'; }
start_wm_program() { # settings
  rm -rf "$work/wm" && mkdir -p "$work/wm" && cp "$build/TIVrevudu" "$work/wm/" && printf '%s' "$1" > "$work/wm/defualt.ini"
  "$work/wm/TIVrevudu" >/dev/null 2>&1 & app=$!
  for _ in $(seq 100); do win=$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null | head -1) && [ -n "$win" ] && break; sleep 0.1; done
  sleep 1
}
# Ctrl+Shift+F, W, C, A are hotkeys 1 to 4, Ctrl+Shift+Q leaves capture mode, so Esc only ends the
# frozen desktop.
hotkeys=$(i=1; for key in F W C A Q; do printf 'hotkey%d_1=Ctrl\nhotkey%d_2=Shift\nhotkey%d_3=%s\n' $i $i $i $key; i=$((i + 1)); done)
start_wm_program $'[default]\nPicFormat=6\n[hotkey]\n'"$hotkeys"$'\n'
# flameshot's daemon, warm, on a session bus of its own, with its first-start notes off and no tray
# icon (without a tray to show it in, the daemon ends). It takes no second capture until a
# notification service has answered it about the first: dunst.
mkdir -p "$work/.config/flameshot"
printf '[General]\nshowHelp=false\nshowStartupLaunchMessage=false\nshowDesktopNotification=false\ndisabledTrayIcon=true\n' \
  > "$work/.config/flameshot/flameshot.ini"
read -r bus_address bus_pid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
pids+=("$bus_pid")
DBUS_SESSION_BUS_ADDRESS=$bus_address dunst >/dev/null 2>&1 & notifier=$!
DBUS_SESSION_BUS_ADDRESS=$bus_address flameshot >/dev/null 2>&1 & flameshot=$!
pids+=("$notifier" "$flameshot")
sleep 2
click_region() {
  "$build/bench/bench_map_watch" 1920 1080 xdotool mousemove \
    --window "$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu | head -1)" 82 200 click 1
}
flameshot_region() { DBUS_SESSION_BUS_ADDRESS=$bus_address "$build/bench/bench_map_watch" 1920 1080 flameshot gui; }
# One round each not counted, then taking turns.
for run in $(seq 0 9); do
  for who in click_region flameshot_region; do
    ms=$($who) || ms=""
    sleep 0.5; xdotool key Escape; sleep 0.8
    ((run == 0)) || echo "$ms" >> "$work/$who.ms"
  done
done
median_of "openbox: click on the region button to the frozen desktop mapped" < "$work/click_region.ms"
median_of "openbox: flameshot gui (daemon warm) to its selection overlay mapped" < "$work/flameshot_region.ms"
kill "$app" "$flameshot" "$notifier"; wait "$app" "$flameshot" "$notifier" 2>/dev/null || true

# Capture mode with continuous capture on, the main window shown: each press hides it, captures,
# saves and shows it again.
start_wm_program $'[default]\nPicFormat=6\nContinueCut=1\n[hotkey]\n'"$hotkeys"$'\n'
xdotool mousemove --window "$win" 82 200 click 1; sleep 1; xdotool key Escape; sleep 1
pictures=$work/TIVSoft/ZevazoRUV/IMG
# The key goes in through the server's test extension from a process already running, timed from
# there to the file renamed into place.
"$build/bench/bench_file_watch" "$pictures" 9 800 ctrl shift f \
  | median_of "openbox: hotkey 1 to the PNG saved, continuous capture on"
echo "pictures saved: $(ls "$pictures" | grep -c '\.png$')"
kill "$app"; wait "$app" 2>/dev/null || true

"$shared/bench/peer-capture.sh" -n 9
