#!/usr/bin/env bash
# Installs the pexa of a build folder the two ways it can be installed and checks the
# result file by file:
#   - cmake --install into a temporary prefix, and with DESTDIR staging;
#   - install.sh with HOME pointed at a temporary folder (using the built executable,
#     no rebuild), twice, then install.sh --uninstall, which keeps a pexa.ini.
# Usage: install_test.sh <source dir> <build dir>
set -euo pipefail

source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
binary=$build_dir/pexa
[ -x "$binary" ] || {
  echo "install_test: $binary is not built" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
check_file() { [ -f "$1" ] || fail "missing $1"; }
check_gone() { if [ -e "$1" ] || [ -L "$1" ]; then fail "still present: $1"; fi; }
check_same() { cmp -s "$1" "$2" || fail "$2 differs from $1"; }
# A page installed compressed holds the source's text.
check_gzipped() {
  if [ ! -f "$2" ]; then
    fail "missing $2"
  elif ! gzip -dc "$2" | cmp -s "$1" -; then
    fail "$2 does not unpack to $1"
  fi
}
check_executable() { if [ ! -x "$1" ] || [ -L "$1" ]; then fail "$1 is not an executable file"; fi; }
check_link_to() {
  [ -L "$1" ] || fail "$1 is not a symbolic link"
  [ "$(readlink -f "$1")" = "$(readlink -f "$2")" ] || fail "$1 does not lead to $2"
}
validate_desktop() {
  if command -v desktop-file-validate >/dev/null; then
    # Hints count too: two main categories, for one, list the program twice
    # in some application menus.
    local report
    report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate $1: $report"
    if grep -q -E '(error|warning|hint):' <<<"$report"; then
      fail "desktop-file-validate $1: $report"
    fi
  else
    echo "note: desktop-file-validate not found, entry not validated"
  fi
}

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }
libdir=$(cached CMAKE_INSTALL_LIBDIR)
bindir=$(cached CMAKE_INSTALL_BINDIR)
# GNUInstallDirs leaves DATADIR empty in the cache when it defaults to DATAROOTDIR.
datadir=$(cached CMAKE_INSTALL_DATADIR)
[ -n "$datadir" ] || datadir=$(cached CMAKE_INSTALL_DATAROOTDIR)
mandir=$(cached CMAKE_INSTALL_MANDIR)
[ -n "$mandir" ] || mandir=$datadir/man
docdir=$(cached CMAKE_INSTALL_DOCDIR)
[ -n "$docdir" ] || docdir=$datadir/doc/pexa
app_id=$(cached PEXA_APP_ID)
if [ -z "$libdir" ] || [ -z "$bindir" ] || [ -z "$datadir" ] || [ -z "$app_id" ]; then
  fail "install directories missing from $build_dir/CMakeCache.txt"
fi

# --- the build folder holds the help beside the program -------------------------------
check_same "$source_dir/resources/pexa.hlp" "$build_dir/pexa.hlp"
check_same "$source_dir/resources/pexa_en.hlp" "$build_dir/pexa_en.hlp"

# --- cmake --install ------------------------------------------------------------------
check_prefix() {
  local root=$1 # the prefix as seen on disk (DESTDIR included)
  check_executable "$root/$libdir/pexa/pexa"
  check_same "$binary" "$root/$libdir/pexa/pexa"
  check_same "$source_dir/resources/pexa.hlp" "$root/$libdir/pexa/pexa.hlp"
  check_same "$source_dir/resources/pexa_en.hlp" "$root/$libdir/pexa/pexa_en.hlp"
  check_same "$source_dir/LICENSE" "$root/$libdir/pexa/LICENSE"
  check_link_to "$root/$bindir/pexa" "$root/$libdir/pexa/pexa"
  case $(readlink "$root/$bindir/pexa") in
    /*) fail "launcher link is absolute: $(readlink "$root/$bindir/pexa")" ;;
  esac
  check_same "$source_dir/resources/pexa.desktop" "$root/$datadir/applications/pexa.desktop"
  check_same "$source_dir/resources/pexa.svg" \
    "$root/$datadir/icons/hicolor/scalable/apps/pexa.svg"
  validate_desktop "$root/$datadir/applications/pexa.desktop"
  check_gzipped "$source_dir/resources/pexa.1" "$root/$mandir/man1/pexa.1.gz"
  check_same "$build_dir/$app_id.metainfo.xml" "$root/$datadir/metainfo/$app_id.metainfo.xml"
  grep -q "<id>$app_id</id>" "$root/$datadir/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo's id is not $app_id"
  check_same "$source_dir/packaging/copyright" "$root/$docdir/copyright"
  check_gzipped "$source_dir/packaging/changelog" "$root/$docdir/changelog.gz"
}

prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$work/cmake-install.log" ||
  fail "cmake --install: $(cat "$work/cmake-install.log")"
check_prefix "$prefix"
# A second install over the first (the link already exists) must succeed too.
cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "second cmake --install"
check_prefix "$prefix"

DESTDIR=$work/stage cmake --install "$build_dir" --prefix /opt/pexa >/dev/null ||
  fail "cmake --install with DESTDIR"
check_prefix "$work/stage/opt/pexa"

# --- install.sh -----------------------------------------------------------------------
home=$work/home
mkdir -p "$home"
run_script() {
  env -u XDG_DATA_HOME HOME="$home" PATH="$PATH" "$source_dir/install.sh" "$@"
}
lib=$home/.local/lib/pexa
launcher=$home/.local/bin/pexa
entry=$home/.local/share/applications/pexa.desktop
icon=$home/.local/share/icons/hicolor/scalable/apps/pexa.svg
man_page=$home/.local/share/man/man1/pexa.1

check_user_install() {
  check_executable "$lib/pexa"
  check_same "$binary" "$lib/pexa"
  check_same "$source_dir/resources/pexa.hlp" "$lib/pexa.hlp"
  check_same "$source_dir/resources/pexa_en.hlp" "$lib/pexa_en.hlp"
  check_same "$source_dir/LICENSE" "$lib/LICENSE"
  check_link_to "$launcher" "$lib/pexa"
  check_same "$source_dir/resources/pexa.svg" "$icon"
  check_same "$source_dir/resources/pexa.1" "$man_page"
  check_file "$entry"
  grep -qx "Exec=$launcher" "$entry" || fail "Exec of $entry is not the launcher: $(grep ^Exec "$entry")"
  diff <(grep -v '^Exec=' "$source_dir/resources/pexa.desktop") <(grep -v '^Exec=' "$entry") \
    >/dev/null || fail "$entry differs from the shipped entry beyond Exec"
  validate_desktop "$entry"
}

run_script --binary "$binary" >"$work/install.log" 2>&1 || fail "install.sh: $(cat "$work/install.log")"
check_user_install
grep -q "$lib/pexa" "$work/install.log" || fail "install.sh does not say where it put pexa"
# Idempotent, and PEXA_BINARY works like --binary.
PEXA_BINARY=$binary run_script >/dev/null 2>&1 || fail "second install.sh run"
check_user_install

# The settings the program writes beside itself survive an uninstall.
printf '[Mode]\nCalcMode=3\n' >"$lib/pexa.ini"
run_script --uninstall >"$work/uninstall.log" 2>&1 || fail "install.sh --uninstall: $(cat "$work/uninstall.log")"
for file in "$lib/pexa" "$lib/pexa.hlp" "$lib/pexa_en.hlp" "$lib/LICENSE" "$launcher" "$entry" "$icon" \
  "$man_page"; do
  check_gone "$file"
done
check_file "$lib/pexa.ini"
grep -q "$lib/pexa.ini" "$work/uninstall.log" || fail "uninstall does not say where pexa.ini stays"

# Without settings, the program folder goes too; uninstalling twice is harmless.
rm "$lib/pexa.ini"
run_script --binary "$binary" >/dev/null 2>&1 || fail "reinstall"
run_script --uninstall >/dev/null 2>&1 || fail "second uninstall"
check_gone "$lib"
run_script --uninstall >"$work/again.log" 2>&1 || fail "uninstall when nothing is installed"
grep -q "nothing to remove" "$work/again.log" || fail "uninstall of nothing says: $(cat "$work/again.log")"

# A file of the user's own at the launcher's place is never replaced or removed.
mkdir -p "$home/.local/bin"
echo "mine" >"$launcher"
if run_script --binary "$binary" >"$work/refused.log" 2>&1; then
  fail "install.sh replaced a file it did not make: $launcher"
fi
grep -qx mine "$launcher" || fail "install.sh changed $launcher"
check_gone "$lib/pexa"
run_script --uninstall >/dev/null 2>&1 || fail "uninstall beside a foreign launcher"
grep -qx mine "$launcher" || fail "uninstall removed $launcher"

# A home folder whose path needs quoting in the desktop entry.
home="$work/home with \"quote\" \$dollar"
mkdir -p "$home"
lib=$home/.local/lib/pexa
entry=$home/.local/share/applications/pexa.desktop
run_script --binary "$binary" >/dev/null 2>&1 || fail "install.sh into a quoted home"
check_executable "$lib/pexa"
validate_desktop "$entry"
grep -q '^Exec="' "$entry" || fail "Exec of a path with spaces is not quoted: $(grep ^Exec "$entry")"
run_script --uninstall >/dev/null 2>&1 || fail "uninstall from a quoted home"
check_gone "$lib"

# The executable finds its folder through /proc/self/exe, which resolves the launcher
# link: a linked program reports the target's path.
if [ -e /proc/self/exe ]; then
  ln -s "$(command -v readlink)" "$work/linked-readlink"
  [ "$("$work/linked-readlink" /proc/self/exe)" = "$(readlink -f "$(command -v readlink)")" ] ||
    fail "/proc/self/exe does not resolve a symbolic link"
fi

if [ $failures -ne 0 ]; then
  echo "install_test: $failures failure(s)"
  exit 1
fi
echo "install_test: all checks passed"
