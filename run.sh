#!/usr/bin/env bash
# Installs what is missing, builds pexa in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEXA_BENCH=OFF >/dev/null
cmake --build build --target pexa
exec ./build/pexa
