#!/usr/bin/env bash
# Times the full-screen grab, capture to a saved file and the start-up to a shown main window on a
# private 1920x1080 Xvfb display that shows the desktop-like picture of shared/bench/make-desktop.sh,
# then the peers (scrot, maim, import) on the same kind of display through shared/bench/peer-capture.sh.
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

"$shared/bench/peer-capture.sh" -n 9
