#!/usr/bin/env bash
# Configures and builds into build/ (or build-sanitize/ with --sanitize), incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ ${1:-} == --sanitize ]]; then
  dir=build-sanitize flags=(-DCMAKE_BUILD_TYPE=Debug -DTIV_SANITIZE=ON)
fi
[[ -f $dir/build.ninja ]] || cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir" -j "$(nproc)"
