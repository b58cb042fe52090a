#!/usr/bin/env bash
# Memory the program holds (resident set) after start and after 20 full-screen captures (Ctrl+F)
# on a private 1920x1080 Xvfb display showing a desktop-like picture.
#   bench/memory.sh [BUILD_DIR]   (a build configured with -DTIV_BUILD_BENCH=ON)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-bench}
shared=${TIV_SHARED:-$here/../../shared}
cmake --build "$build" -j 2 --target TIVrevudu
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() { kill "${app:-}" "${viewer:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
"$shared/bench/make-desktop.sh" "$work/desk.png" 1920x1080 >/dev/null
convert "$work/desk.png" "$work/desk.xwd"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display HOME=$work QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xwud -in "$work/desk.xwd" -noclick >/dev/null 2>&1 & viewer=$!
mkdir -p "$work/bin"
cp "$build/TIVrevudu" "$work/bin/"
"$work/bin/TIVrevudu" >"$work/program.log" 2>&1 & app=$!
win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null | head -1) || true
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "the main window did not appear"; cat "$work/program.log"; exit 1; }
sleep 2
rss() { awk '/^VmRSS/ {printf "%.1f MiB", $2 / 1024}' "/proc/$app/status"; }
echo "after start: $(rss)"
for _ in $(seq 20); do
  xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
  sleep 1.5
done
sleep 1
echo "after 20 full-screen captures: $(rss) ($(find "$work" -name "*.jpg" | wc -l) pictures saved)"
awk '/^VmHWM/ {printf "peak: %.1f MiB\n", $2 / 1024}' "/proc/$app/status"
