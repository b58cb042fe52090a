#!/usr/bin/env bash
# Builds the fuzzing harnesses with clang's libFuzzer (build-fuzz/) and runs each for N minutes,
# one after the other, each a single process on one core. New corpus entries go to
# build-fuzz/corpus/NAME (the committed seeds stay as they are); inputs that crash or break a
# property go to build-fuzz/findings/NAME: copy them to tests/fuzz/found/NAME once fixed, so the
# suite replays them.
#   scripts/fuzz.sh [minutes per harness, default 5] [harness ...]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-5}
shift || true
harnesses=("$@")
((${#harnesses[@]})) || harnesses=(bmp jpeg png load_picture_file ini_file parse_integer deflate_rows comma_text)
[[ -f build-fuzz/build.ninja ]] ||
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIV_FUZZ=ON
cmake --build build-fuzz -j 1
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
printf '%-20s %12s %10s %9s\n' harness executions exec/s findings
for name in "${harnesses[@]}"; do
  corpus=build-fuzz/corpus/$name findings=build-fuzz/findings/$name log=build-fuzz/fuzz-$name.log
  mkdir -p "$corpus" "$findings"
  # -rss_limit_mb: a hostile input that makes a decoder take more memory is itself a finding.
  ./build-fuzz/tests/fuzz/fuzz_"$name" "$corpus" "tests/fuzz/corpus/$name" \
    -max_total_time=$((minutes * 60)) -rss_limit_mb=2048 -timeout=10 \
    -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || true
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  found=$(find "$findings" -type f | wc -l)
  printf '%-20s %12s %10s %9s\n' "$name" "${runs:-?}" "${speed:-?}" "$found"
done
