#!/usr/bin/env bash
# Configures and builds into build/ (or build-sanitize/ with --sanitize), incrementally.
# --program builds only the program, not the tests and benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) targets=()
for arg; do
  case $arg in
    --sanitize) dir=build-sanitize flags=(-DCMAKE_BUILD_TYPE=Debug -DTIV_SANITIZE=ON) ;;
    --program) targets=(--target TIVrevudu) ;;
    *) echo "usage: $0 [--sanitize] [--program]" >&2; exit 2 ;;
  esac
done
[[ -f $dir/build.ninja ]] || cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
