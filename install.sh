#!/usr/bin/env bash
# Installs pexa for the current user, or removes it again with --uninstall.
#
#   ~/.local/lib/pexa/pexa          the program; pexa.hlp (Japanese), pexa_en.hlp (English)
#                                   and LICENSE beside it, and the
#                                   pexa.ini the program writes there (the folder must stay
#                                   writable)
#   ~/.local/bin/pexa               a symbolic link to it (the program finds its folder
#                                   through /proc/self/exe, which resolves the link)
#   $XDG_DATA_HOME/applications/pexa.desktop
#   $XDG_DATA_HOME/icons/hicolor/scalable/apps/pexa.svg
#                                   ($XDG_DATA_HOME defaults to ~/.local/share)
#   ~/.local/share/man/man1/pexa.1  the manual page (man finds it beside ~/.local/bin on
#                                   the PATH, whatever XDG_DATA_HOME says)
#
# Without --binary the program is built in Release in build/ first, as run.sh does.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")" && pwd)
program=pexa

usage() {
  cat <<EOF
Usage: $0 [--binary FILE] [--uninstall]

  (no option)     build pexa in Release (unless build/ already holds a Release build,
                  which is only brought up to date) and install it for the current user
  --binary FILE   install this already-built executable instead of building
                  (the environment variable PEXA_BINARY does the same)
  --uninstall     remove the installed files; a pexa.ini with your settings is kept
  -h, --help      show this text
EOF
}

say() { printf '%s\n' "$*"; }
fail() {
  printf 'install.sh: %s\n' "$*" >&2
  exit 1
}

binary=${PEXA_BINARY:-}
action=install
while [ $# -gt 0 ]; do
  case $1 in
    --uninstall) action=uninstall ;;
    --binary)
      [ $# -ge 2 ] || fail "--binary needs a file name"
      binary=$2
      shift
      ;;
    --binary=*) binary=${1#--binary=} ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      usage >&2
      exit 2
      ;;
  esac
  shift
done

[ -n "${HOME:-}" ] || fail "HOME is not set"
data_home=${XDG_DATA_HOME:-$HOME/.local/share}
case $data_home in
  /*) ;;
  *) data_home=$HOME/.local/share ;; # XDG base directories ignore relative values
esac
lib_dir=$HOME/.local/lib/$program
bin_dir=$HOME/.local/bin
launcher=$bin_dir/$program
apps_dir=$data_home/applications
desktop_file=$apps_dir/$program.desktop
hicolor_dir=$data_home/icons/hicolor
icon_dir=$hicolor_dir/scalable/apps
icon_file=$icon_dir/$program.svg
man_dir=$HOME/.local/share/man/man1
man_page=$man_dir/$program.1

have() { command -v "$1" >/dev/null 2>&1; }

# Lets menus and icon lookups see the change at once; every tool is optional.
refresh_desktop() {
  if [ -d "$apps_dir" ] && have update-desktop-database; then
    update-desktop-database -q "$apps_dir" 2>/dev/null || true
  fi
  if [ -d "$hicolor_dir" ]; then
    touch "$hicolor_dir" 2>/dev/null || true
    # Only an existing cache is refreshed: without one the theme folder is scanned
    # directly, and a new cache would go stale when other programs add icons.
    if [ -f "$hicolor_dir/icon-theme.cache" ] && have gtk-update-icon-cache; then
      gtk-update-icon-cache -q -t -f "$hicolor_dir" 2>/dev/null || true
    fi
  fi
  if have xdg-desktop-menu; then
    xdg-desktop-menu forceupdate --mode user 2>/dev/null || true
  fi
}

# A desktop entry's Exec key: a path with reserved characters goes in double quotes,
# with '"', '`', '$' and '\' escaped for the quoting and then for the string value, and
# '%' doubled so that it is not read as a field code.
exec_value() {
  local path=$1
  if [[ $path =~ ^[A-Za-z0-9/._+-]+$ ]]; then
    printf '%s' "$path"
    return
  fi
  local out='' ch i
  for ((i = 0; i < ${#path}; i++)); do
    ch=${path:i:1}
    case $ch in
      '"' | '`' | '$') out+="\\\\$ch" ;;
      "\\") out+="\\\\\\\\" ;;
      '%') out+='%%' ;;
      *) out+=$ch ;;
    esac
  done
  printf '"%s"' "$out"
}

# The Release build that run.sh makes, reused when it is already there.
build_release() {
  local build_dir=$source_dir/build
  if [ -x "$build_dir/$program" ] &&
    grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build_dir/CMakeCache.txt" 2>/dev/null; then
    say "Bringing the Release build in $build_dir up to date"
  else
    say "Building pexa in Release in $build_dir"
    "$source_dir/scripts/deps.sh" run
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DPEXA_TESTS=OFF -DPEXA_BENCH=OFF >/dev/null
  fi
  cmake --build "$build_dir" --target "$program" >/dev/null
  binary=$build_dir/$program
}

# Copies beside the target and renames, so a running pexa keeps its old file.
put_file() {
  local from=$1 to=$2 mode=$3
  local temp
  temp=$(mktemp "$(dirname "$to")/.$(basename "$to").XXXXXX")
  if ! cp "$from" "$temp" || ! chmod "$mode" "$temp" || ! mv -f "$temp" "$to"; then
    rm -f "$temp"
    fail "cannot write $to"
  fi
}

launcher_is_ours() {
  [ -L "$launcher" ] && [ "$(readlink "$launcher")" = "$lib_dir/$program" ]
}

do_install() {
  local help_file=$source_dir/resources/$program.hlp
  local english_help_file=$source_dir/resources/${program}_en.hlp
  local license_file=$source_dir/LICENSE
  local manual_page=$source_dir/resources/$program.1
  [ -f "$help_file" ] || fail "missing $help_file"
  [ -f "$english_help_file" ] || fail "missing $english_help_file"
  [ -f "$license_file" ] || fail "missing $license_file"
  [ -f "$manual_page" ] || fail "missing $manual_page"
  if [ -e "$launcher" ] || [ -L "$launcher" ]; then
    [ -L "$launcher" ] || fail "$launcher exists and is not a link made by this script; remove it first"
  fi

  if [ -z "$binary" ]; then
    build_release
  fi
  if [ ! -f "$binary" ] || [ ! -x "$binary" ]; then
    fail "no executable at $binary"
  fi

  mkdir -p "$lib_dir" "$bin_dir" "$apps_dir" "$icon_dir" "$man_dir"
  put_file "$binary" "$lib_dir/$program" 755
  put_file "$help_file" "$lib_dir/$program.hlp" 644
  put_file "$english_help_file" "$lib_dir/${program}_en.hlp" 644
  put_file "$license_file" "$lib_dir/LICENSE" 644
  ln -sfn "$lib_dir/$program" "$launcher"

  local entry
  entry=$(mktemp)
  sed "s|^Exec=.*|Exec=$(exec_value "$launcher" | sed 's/[&|\\]/\\&/g')|" \
    "$source_dir/resources/$program.desktop" >"$entry"
  put_file "$entry" "$desktop_file" 644
  rm -f "$entry"
  put_file "$source_dir/resources/$program.svg" "$icon_file" 644
  put_file "$manual_page" "$man_page" 644
  refresh_desktop

  say "Installed pexa:"
  say "  program       $lib_dir/$program (help: $program.hlp, ${program}_en.hlp, licence: LICENSE, settings: $program.ini)"
  say "  launcher      $launcher"
  say "  menu entry    $desktop_file"
  say "  icon          $icon_file"
  say "  manual page   $man_page"
  case ":$PATH:" in
    *":$bin_dir:"*) say "Start it with: pexa" ;;
    *) say "Note: $bin_dir is not on your PATH; start it with $launcher or from the menu." ;;
  esac
}

do_uninstall() {
  local removed=0
  if launcher_is_ours; then
    rm -f "$launcher"
    removed=1
  elif [ -e "$launcher" ] || [ -L "$launcher" ]; then
    say "Leaving $launcher alone: it does not point to $lib_dir/$program"
  fi
  local file
  for file in "$lib_dir/$program" "$lib_dir/$program.hlp" "$lib_dir/${program}_en.hlp" \
    "$lib_dir/LICENSE" "$desktop_file" \
    "$icon_file" "$man_page"; do
    if [ -e "$file" ] || [ -L "$file" ]; then
      rm -f "$file"
      removed=1
    fi
  done
  refresh_desktop

  if [ -f "$lib_dir/$program.ini" ]; then
    say "Kept your settings: $lib_dir/$program.ini (delete it by hand if you no longer want it)"
  elif [ -d "$lib_dir" ]; then
    rmdir "$lib_dir" 2>/dev/null || say "Left $lib_dir in place: it holds other files"
  fi
  if [ $removed -eq 1 ]; then
    say "Removed pexa."
  else
    say "pexa was not installed for this user; nothing to remove."
  fi
}

case $action in
  install) do_install ;;
  uninstall) do_uninstall ;;
esac
