#!/usr/bin/env bash
# Builds everything in ./build and runs every test. Usage: scripts/test.sh [ctest args]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j2 --timeout 600 "$@"
