#!/usr/bin/env bash
# run.sh and install.sh set up only what building and running pexa need: their package
# set leaves out the test tools, and a build configured as they configure it looks for
# no test package.
# Usage: setup_test.sh <source dir>
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

run_set=$("$source_dir/scripts/deps.sh" --list run) || fail "deps.sh --list run"
test_set=$("$source_dir/scripts/deps.sh" --list test) || fail "deps.sh --list test"
for tool in libgtest-dev libgmock-dev libbenchmark-dev clang xvfb lintian appstream; do
  grep -qx "$tool" <<<"$run_set" && fail "the run set installs $tool"
  grep -qx "$tool" <<<"$test_set" || fail "the test set lacks $tool"
done
# A Wayland session runs pexa natively only with Qt's wayland plugin.
grep -qx qt6-wayland <<<"$run_set" || fail "the run set lacks qt6-wayland"
for package in $run_set; do
  grep -qx "$package" <<<"$test_set" || fail "the test set lacks $package of the run set"
done
for script in run.sh install.sh; do
  grep -q 'deps.sh" run$\|deps.sh run$' "$source_dir/$script" || fail "$script installs more than the run set"
  grep -q -- '-DPEXA_TESTS=OFF' "$source_dir/$script" || fail "$script builds the tests"
done

# Configured as run.sh does it, nothing looks for GoogleTest or Google Benchmark.
if cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPEXA_TESTS=OFF -DPEXA_BENCH=OFF >"$work/configure.log" 2>&1; then
  if grep -E '^(GTest_DIR|benchmark_DIR)[:=]' "$work/build/CMakeCache.txt"; then
    fail "a run build looks for test packages"
  fi
  grep -q '^build pexa:' "$work/build/build.ninja" || fail "a run build has no pexa target"
else
  cat "$work/configure.log" >&2
  fail "a run build does not configure"
fi

[ $failures -eq 0 ] || exit 1
echo "setup_test: all checks passed"
