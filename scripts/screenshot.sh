#!/usr/bin/env bash
# Takes docs/screenshot.png: pexa with all ten bars, the character bar in
# Shift JIS, and 2482673275 typed into the decimal bar (0x93FA967B, which the
# character bar shows as 日本). Runs under a private Xvfb server
# (bench/startup/with_xvfb.sh); the window is found, typed into and saved by
# bench_x11_probe (bench/startup/x11_probe.cpp).
#
#   scripts/screenshot.sh [output.png]          (default docs/screenshot.png)
#   scripts/screenshot.sh --dark [output.png]   (default docs/screenshot-dark.png)
#   scripts/screenshot.sh --lang en|ja [output.png]
#                                               (default docs/screenshot-en.png, -ja.png)
#
# --dark runs pexa with PEXA_PALETTE=dark, its dark palette; --lang sets the
# interface language in its pexa.ini.
set -euo pipefail
cd "$(dirname "$0")/.."

dark=
lang=
if [ "${1:-}" = "--dark" ]; then
    dark=1
    shift
elif [ "${1:-}" = "--lang" ]; then
    case ${2:-} in
        en | ja) lang=$2 ;;
        *) echo "Usage: $0 --lang en|ja [output.png]" >&2; exit 2 ;;
    esac
    shift 2
fi
out=${1:-docs/screenshot${dark:+-dark}${lang:+-$lang}.png}
build=${PEXA_SCREENSHOT_BUILD:-build-bench}

if [ -z "${PEXA_SCREENSHOT_IN_XVFB:-}" ]; then
    scripts/deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEXA_BENCH=ON >/dev/null
    cmake --build "$build" --target pexa bench_x11_probe
    export PEXA_SCREENSHOT_IN_XVFB=1
    exec bench/startup/with_xvfb.sh "$0" ${dark:+--dark} ${lang:+--lang "$lang"} "$out"
fi

if [ -n "$dark" ]; then
    export PEXA_PALETTE=dark
else
    unset PEXA_PALETTE
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/pexa" "$work/"
[ -f "$build/pexa.hlp" ] && cp "$build/pexa.hlp" "$work/"
[ -f "$build/pexa_en.hlp" ] && cp "$build/pexa_en.hlp" "$work/"

# pexa reads pexa.ini beside its executable.
{
    echo "[Mode]"
    echo "CharEncoding=1"
    if [ -n "$lang" ]; then
        echo "[View]"
        echo "Language=$lang"
    fi
    echo "[Bar]"
    echo "BarCount=10"
    kinds=(DEC HEX OCT BIN CHR IP DEG FLT TIME KILO)
    for i in "${!kinds[@]}"; do
        echo "Bar$i=${kinds[$i]}"
    done
} >"$work/pexa.ini"

mkdir -p "$(dirname "$out")"
"$build/bench/bench_x11_probe" shot --out "$out" --type 2482673275 --settle-ms 700 \
    --log "$work/pexa.log" -- "$work/pexa" >/dev/null
echo "wrote $out"
