#!/usr/bin/env bash
# Opens the worst file of each hostile kind the way a click in the picture list does and prints
# the time of the load (wall clock, inside the process), the CPU time and the peak memory of the
# whole process (start-up of Qt and the decoders included).
#   bench/hostile-decode.sh [build-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
[[ -f $build/build.ninja ]] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIV_BUILD_BENCH=ON -DTIV_BUILD_TESTS=OFF
cmake --build "$build" -j 2 --target bench_hostile_decode
driver=$build/bench/bench_hostile_decode
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
run() {  # kind file
  local out
  out=$(/usr/bin/time -f '%M %U %S' "$driver" load "$2" 2>"$work/time")
  read -r peak user system < <(tail -1 "$work/time")
  printf '%-30s %10s  %-28s %6s s %6d MiB\n' "$1" "$(stat -c %s "$2")" "$out" \
    "$(awk -v u="$user" -v s="$system" 'BEGIN {printf "%.2f", u + s}')" $((peak / 1024))
}
printf '%-30s %10s  %-28s %8s %10s\n' kind bytes result cpu peak
for kind in $("$driver" list 2>/dev/null || true); do
  "$driver" write "$kind" "$work/$kind.file" >/dev/null 2>&1
  ext=png
  case $kind in jpeg-*) ext=jpg ;; bmp-*) ext=bmp ;; noise-*) ext=mp4 ;; esac
  mv "$work/$kind.file" "$work/$kind.$ext"
  run "$kind" "$work/$kind.$ext"
  rm -f "$work/$kind.$ext"
done
# A 4 GiB video that takes no disk space, once as itself and once with a picture's name.
truncate -s 4G "$work/video.mp4"
run video-4GiB "$work/video.mp4"
mv "$work/video.mp4" "$work/video.jpg"
run video-4GiB-named-jpg "$work/video.jpg"
