#!/usr/bin/env bash
# Times the full-screen grab, capture to a saved file and the start-up to a shown main window on a
# private 1920x1080 Xvfb display that shows the desktop-like picture of shared/bench/make-desktop.sh;
# then, under openbox on the same display, the click on the region button to the frozen desktop and
# hotkey 1 to the saved PNG; then the peers (scrot, maim, import) on the same kind of display
# through shared/bench/peer-capture.sh.
# usage: bench/run-capture.sh [BUILD_DIR]   (a build configured with -DTIV_BUILD_BENCH=ON)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-bench}
shared=${TIV_SHARED:-$here/../../shared}
[[ -f $build/build.ninja ]] || cmake -S "$here/.." -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIV_BUILD_BENCH=ON -DTIV_BUILD_TESTS=OFF
cmake --build "$build"
source "$here/desktop-display.sh"
"$build/bench/bench_screen_grab" --benchmark_min_time=0.5
"$build/bench/bench_capture_to_file"

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

# Under a window manager, which frames and maximises the main window. Each figure runs from just
# before xdotool starts (its own start is inside) and is a median of 9.
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
for _ in $(seq 9); do
  "$build/bench/bench_map_watch" 1920 1080 xdotool mousemove --window "$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu | head -1)" 82 200 click 1
  sleep 0.5; xdotool key Escape; sleep 0.8
done | median_of "openbox: click on the region button to the frozen desktop mapped"
kill "$app"; wait "$app" 2>/dev/null || true

# Capture mode with continuous capture on, the main window shown: each press hides it, captures,
# saves and shows it again.
start_wm_program $'[default]\nPicFormat=6\nContinueCut=1\n[hotkey]\n'"$hotkeys"$'\n'
xdotool mousemove --window "$win" 82 200 click 1; sleep 1; xdotool key Escape; sleep 1
pictures=$work/TIVSoft/ZevazoRUV/IMG
for _ in $(seq 9); do
  "$build/bench/bench_file_watch" "$pictures" xdotool key ctrl+shift+f
  sleep 0.8
done | median_of "openbox: hotkey 1 to the PNG saved, continuous capture on"
echo "pictures saved: $(ls "$pictures" | grep -c '\.png$')"
kill "$app"; wait "$app" 2>/dev/null || true

"$shared/bench/peer-capture.sh" -n 9
