#!/usr/bin/env bash
# Times `cjpeg -quality 100` (process start and PPM reading included) on a desktop picture beside
# our JPEG writer on the same pixels, and checks that both files decode to the same pixels (ours
# adds restart markers between the stripes it encodes in parallel).
# usage: bench/encode-vs-cjpeg.sh BUILD_DIR [WIDTHxHEIGHT] [RUNS]
set -euo pipefail
build=${1:?usage: encode-vs-cjpeg.sh BUILD_DIR [WIDTHxHEIGHT] [RUNS]}
size=${2:-1920x1080}
runs=${3:-20}
here=$(cd "$(dirname "$0")" && pwd)
make_desktop=${TIV_MAKE_DESKTOP:-$here/../../shared/bench/make-desktop.sh}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

"$make_desktop" "$tmp/desktop-$size.png" "$size" >/dev/null
# Our run leaves the exact pixels it encodes as a PPM, so cjpeg reads the same input.
TIV_DESKTOP_DIR=$tmp TIV_DUMP_DIR=$tmp "$build/bench/bench_picture_codecs" \
  --benchmark_filter="jpeg/.*/$size" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_time_unit=ms 2>/dev/null | grep -E 'median|Benchmark'

TIMEFORMAT='%R %U %S'
times=$( { time (for ((i = 0; i < runs; i++)); do
  cjpeg -quality 100 -outfile "$tmp/cjpeg.jpg" "$tmp/desktop-$size.ppm"; done); } 2>&1 )
read -r real user sys <<<"$times"
awk -v r="$real" -v u="$user" -v s="$sys" -v n="$runs" -v size="$size" \
  'BEGIN { printf "cjpeg -quality 100 %s: %.2f ms wall, %.2f ms cpu per picture\n", size, 1000*r/n, 1000*(u+s)/n }'
sizes="cjpeg $(stat -c %s "$tmp/cjpeg.jpg") bytes, ours $(stat -c %s "$tmp/ours-$size.jpg") bytes"
if cmp -s <(djpeg "$tmp/cjpeg.jpg") <(djpeg "$tmp/ours-$size.jpg"); then
  echo "cjpeg's file and ours decode to identical pixels ($sizes)"
else
  echo "the files decode to different pixels ($sizes)"
fi
