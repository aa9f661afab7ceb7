#!/usr/bin/env bash
# Installs the Debian packages that pexa needs. Asks for nothing when everything is
# already present.
#
#   scripts/deps.sh run     what building and running pexa needs (run.sh, install.sh)
#   scripts/deps.sh test    that, and what the tests, benchmarks and fuzzing need
#                           (test.sh); also the default without an argument
#   scripts/deps.sh --list run|test
#                           prints the packages of that set, one a line, and installs nothing
set -euo pipefail

# Qt's SVG module draws the icon; Qt's Linguist tools (lrelease, and the CMake package that
# calls it) compile the Japanese translation into the program; MPFR (on GMP) computes the
# real functions; Noto Sans CJK draws Japanese with an ASCII that stays ASCII (no yen sign
# for the backslash); fontconfig's headers let start-up read the font configuration early;
# Qt's own translations put the font and colour choosers in the interface's language;
# Qt's wayland plugin lets a Wayland session run pexa natively instead of through Xwayland.
run_packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev qt6-svg-dev
  qt6-l10n-tools qt6-tools-dev libmpfr-dev libgmp-dev fonts-noto-cjk libfontconfig-dev
  qt6-translations-l10n qt6-wayland)
# GoogleTest for the tests, Google Benchmark, X11 and zlib for the benchmarks, clang for
# fuzzing, Xvfb, XTest and setxkbmap for the tests on a real X server, desktop-file-utils
# to check the installed menu entry; dpkg-dev (dpkg-shlibdeps) and file for CPack's Debian
# package, lintian to check it, appstream to validate the metainfo, groff to check the
# manual page; a private session bus (dbus-daemon's dbus-run-session), the AT-SPI bus
# (at-spi2-core), its Python bindings and xdotool to read the window as a screen reader
# does.
test_packages=("${run_packages[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang
  libclang-rt-dev binutils xvfb xauth x11-xkb-utils desktop-file-utils libx11-dev libxtst-dev
  zlib1g-dev dpkg-dev file lintian appstream groff-base dbus-daemon at-spi2-core python3-pyatspi
  xdotool)

usage() {
  echo "Usage: $0 [--list] [run|test]" >&2
  exit 2
}

list_only=0
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
case ${1:-test} in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${test_packages[@]}") ;;
  *) usage ;;
esac
[ $# -le 1 ] || usage

if [ $list_only -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
