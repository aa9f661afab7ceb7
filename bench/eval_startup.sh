#!/usr/bin/env bash
# The whole pexa --eval process, start to exit, next to the same command line
# built without Qt (bench_cli_without_qt) and a program that does nothing, so
# the cost of loading Qt's shared libraries shows on its own.
#
#   bench/eval_startup.sh [build folder] [runs]   (defaults: build, 200 runs)
#
# Each program runs as a copy in a fresh folder (no pexa.ini is found) with no
# display. With perf, "perf stat -r" gives the mean elapsed time and its
# spread and the CPU time; without it, a loop of runs is timed as a whole.
# The machine's other load counts in the elapsed time: compare the lines of
# one run of the script, not runs made at different times.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=${2:-200}
if ! [[ $runs =~ ^[0-9]+$ ]] || [ "$runs" -lt 10 ]; then
    echo "usage: bench/eval_startup.sh [build folder] [runs]   (runs: at least 10)" >&2
    exit 2
fi
for program in pexa bench/bench_cli_without_qt; do
    if [ ! -x "$build/$program" ]; then
        echo "$build/$program is missing: build the targets pexa and bench_cli_without_qt" >&2
        exit 2
    fi
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$build/pexa" "$folder/pexa"
cp "$build/bench/bench_cli_without_qt" "$folder/cli_without_qt"
printf 'int main(void) { return 0; }\n' > "$folder/nothing.c"
cc -O2 -o "$folder/nothing" "$folder/nothing.c"
unset DISPLAY WAYLAND_DISPLAY
export HOME=$folder XDG_CONFIG_HOME=$folder QT_QPA_PLATFORM=xcb

expression='(0x1F << 3) | 1'
measure() {
    local name=$1
    shift
    if command -v perf >/dev/null 2>&1; then
        local report
        report=$(perf stat -r "$runs" "$@" 2>&1 >/dev/null)
        printf '%-26s %s ms elapsed (+- %s), %s ms CPU\n' "$name" \
            "$(awk '/seconds time elapsed/ {printf "%.2f", $1 * 1000}' <<<"$report")" \
            "$(awk '/seconds time elapsed/ {print $(NF-1)}' <<<"$report" | tr -d '()')" \
            "$(awk '/task-clock/ {print $1}' <<<"$report")"
    else
        local start end
        start=$(date +%s%N)
        for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
        end=$(date +%s%N)
        printf '%-26s %s ms elapsed (mean of %d)\n' "$name" \
            "$(awk -v t=$((end - start)) -v n="$runs" 'BEGIN {printf "%.2f", t / n / 1e6}')" "$runs"
    fi
}

"$folder/pexa" --eval "$expression" >/dev/null # warm the caches
measure "pexa --eval" "$folder/pexa" --eval "$expression"
measure "command line without Qt" "$folder/cli_without_qt" --eval "$expression"
measure "empty program" "$folder/nothing"
