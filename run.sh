#!/usr/bin/env bash
# Installs what building and running need, builds pexa in Release (without the tests
# and benchmarks, whose packages test.sh installs) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEXA_TESTS=OFF -DPEXA_BENCH=OFF >/dev/null
cmake --build build --target pexa
exec ./build/pexa
