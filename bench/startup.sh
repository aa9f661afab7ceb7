#!/usr/bin/env bash
# Start-up time and peak memory of pexa, with its default two bars and with all
# ten, next to a bare Qt Widgets window built the same way, and next to that
# window showing one line of Japanese text and digits (what loading the fonts
# costs any program that draws text).
#
#   bench/startup.sh [runs]        (default 15 runs of each, at least 10)
#
# Method. Everything runs under a private Xvfb server (bench/startup/with_xvfb.sh).
# Each program is started by bench_x11_probe (bench/startup/x11_probe.cpp), a
# Qt-free Xlib client that:
#   - paints the root window a marker colour and starts its clock right before
#     posix_spawn of the program;
#   - waits for the program's top-level window to be mapped (MapNotify,
#     matched by _NET_WM_PID);
#   - samples the window's middle row and column with XGetImage every 1 ms;
#     Qt windows have no background, so the marker shows through until the
#     program draws. "first frame" is the first sample where most of those
#     pixels are painted. Resolution: about 1 ms (poll interval plus one
#     XGetImage round trip).
#   - then checksums the whole window every 4 ms for 500 ms; "complete" is the
#     last change seen, so a program that shows a half-laid-out frame first is
#     not flattered;
#   - closes the window with WM_DELETE_WINDOW and reads the peak resident set
#     size (ru_maxrss) of the whole run from wait4.
# pexa reads pexa.ini beside its executable, so each case runs a copy of the
# executable in its own temporary folder: no pexa.ini (the default two bars), or
# a pexa.ini listing all ten bar kinds. The file is put back before every run,
# since pexa writes its settings when it closes. One unmeasured run of each
# warms the caches; the measured runs are interleaved so drift hits all alike.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-15}
if ! [[ $runs =~ ^[0-9]+$ ]] || [ "$runs" -lt 10 ]; then
    echo "usage: bench/startup.sh [runs]   (runs: a number, at least 10)" >&2
    exit 2
fi
build=build-bench

if [ -z "${PEXA_STARTUP_IN_XVFB:-}" ]; then
    scripts/deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEXA_BENCH=ON >/dev/null
    cmake --build "$build" --target pexa bench_bare_window bench_text_window bench_x11_probe
    export PEXA_STARTUP_IN_XVFB=1
    exec bench/startup/with_xvfb.sh "$0" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

probe=$build/bench/bench_x11_probe
mkdir -p "$work/bare" "$work/text" "$work/two" "$work/ten"
cp "$build/bench/bench_bare_window" "$work/bare/"
cp "$build/bench/bench_text_window" "$work/text/"
cp "$build/pexa" "$work/two/"
cp "$build/pexa" "$work/ten/"

write_ten_bars_ini() {
    local kinds=(DEC HEX OCT BIN CHR IP DEG FLT TIME KILO) i
    {
        echo "[Bar]"
        echo "BarCount=${#kinds[@]}"
        for i in "${!kinds[@]}"; do
            echo "Bar$i=${kinds[$i]}"
        done
    } >"$work/ten/pexa.ini"
}

# One run of one case; appends the probe's line to $work/<case>.txt.
run_case() {
    local name=$1 record=$2
    local program
    case $name in
        bare) program=$work/bare/bench_bare_window ;;
        text) program=$work/text/bench_text_window ;;
        two)
            rm -f "$work/two/pexa.ini"
            program=$work/two/pexa
            ;;
        ten)
            write_ten_bars_ini
            program=$work/ten/pexa
            ;;
    esac
    local line
    line=$("$probe" time --log "$work/$name.log" -- "$program")
    if [ "$record" = yes ]; then
        echo "$line" >>"$work/$name.txt"
    fi
}

for name in bare text two ten; do
    run_case "$name" no
done
for ((i = 1; i <= runs; i++)); do
    for name in bare text two ten; do
        run_case "$name" yes
    done
    printf '\rrun %d of %d' "$i" "$runs" >&2
done
echo >&2

# Median of the values of one key in one case's records.
median() {
    local name=$1 key=$2
    tr ' ' '\n' <"$work/$name.txt" | sed -n "s/^$key=//p" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
extreme() {
    local name=$1 key=$2 which=$3
    tr ' ' '\n' <"$work/$name.txt" | sed -n "s/^$key=//p" | sort -g | "$which" -n 1
}

echo "Start-up to the first painted frame, $runs runs each (Xvfb, Release build, $(nproc) cores," \
    "load average $(cut -d' ' -f1 /proc/loadavg) at the end)"
printf '%-24s %12s %12s %12s %12s %14s\n' "" "first frame" "min..max" "complete" "peak RSS" "window"
printf '%-24s %12s %12s %12s %12s %14s\n' "" "median ms" "ms" "median ms" "median MB" "px"
for name in bare text two ten; do
    case $name in
        bare) label="bare Qt window" ;;
        text) label="Qt window with text" ;;
        two) label="pexa, 2 bars (default)" ;;
        ten) label="pexa, 10 bars" ;;
    esac
    frame=$(median "$name" frame_ms)
    stable=$(median "$name" stable_ms)
    rss=$(median "$name" maxrss_kb)
    size="$(median "$name" width)x$(median "$name" height)"
    printf '%-24s %12.1f %5.1f..%-6.1f %12.1f %12.1f %14s\n' "$label" "$frame" \
        "$(extreme "$name" frame_ms head)" "$(extreme "$name" frame_ms tail)" "$stable" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$size"
done
ratio() {
    local name=$1 base=$2 label=$3
    awk -v f="$(median "$name" frame_ms)" -v s="$(median "$name" stable_ms)" \
        -v fb="$(median "$base" frame_ms)" -v sb="$(median "$base" stable_ms)" \
        -v r="$(median "$name" maxrss_kb)" -v rb="$(median "$base" maxrss_kb)" -v l="$label" \
        'BEGIN { printf "%-34s %.2fx first frame, %.2fx complete, %+.1f MB peak RSS\n",
                 l ":", f / fb, s / sb, (r - rb) / 1024 }'
}
ratio two bare "pexa 2 bars / bare window"
ratio ten bare "pexa 10 bars / bare window"
ratio ten text "pexa 10 bars / window with text"
