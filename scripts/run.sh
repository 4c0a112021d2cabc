#!/usr/bin/env bash
# Builds the game in ./build and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja
cmake --build build --target petalune
exec build/bin/petalune "$@"
