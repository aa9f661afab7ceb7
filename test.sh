#!/usr/bin/env bash
# Installs what is missing (building, running and testing), builds and runs every test:
# once normally, once with AddressSanitizer and UndefinedBehaviorSanitizer. Exits
# non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test || exit 1

jobs=$(nproc)
status=0
run_suite() {
  local dir=$1; shift
  echo "== $dir"
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null || return 1
  cmake --build "$dir" -j "$jobs" || return 1
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEXA_TESTS=ON || status=1
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DPEXA_SANITIZE=ON -DPEXA_TESTS=ON \
  -DPEXA_BENCH=OFF || status=1

if [ $status -ne 0 ]; then
  echo "test.sh: FAILED"
else
  echo "test.sh: all tests passed"
fi
exit $status
