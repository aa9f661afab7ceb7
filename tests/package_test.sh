#!/usr/bin/env bash
# Builds the Debian package of a build folder with CPack into a temporary folder and
# checks its files and control fields, and lintian's verdict when lintian is there.
# Exits 77 (skipped) without cpack, dpkg-deb, dpkg-shlibdeps or file.
# Usage: package_test.sh <source dir> <build dir>
set -euo pipefail

source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  if ! command -v "$tool" >/dev/null; then
    echo "package_test: $tool not found (scripts/deps.sh test installs it); skipped"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt"; }
version=$(cached CMAKE_PROJECT_VERSION)
app_id=$(cached PEXA_APP_ID)
libdir=$(cached CMAKE_INSTALL_LIBDIR)
if [ -z "$version" ] || [ -z "$app_id" ] || [ -z "$libdir" ]; then
  fail "version, app id or libdir missing from $build_dir/CMakeCache.txt"
fi

if ! (cd "$build_dir" && cpack --config CPackConfig.cmake -G DEB -B "$work/out") \
  >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "package_test: cpack failed" >&2
  exit 1
fi
deb=$work/out/pexa_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || {
  ls "$work/out" >&2
  echo "package_test: no $deb" >&2
  exit 1
}

# --- files ------------------------------------------------------------------------------
dpkg-deb --contents "$deb" >"$work/contents"
dpkg-deb --extract "$deb" "$work/root"
root=$work/root
program=$root/usr/$libdir/pexa/pexa
if [ ! -f "$program" ] || [ ! -x "$program" ]; then fail "no executable usr/$libdir/pexa/pexa"; fi
[ "$(readlink "$root/usr/bin/pexa")" = "../$libdir/pexa/pexa" ] ||
  fail "usr/bin/pexa is not a relative link to the program: $(readlink "$root/usr/bin/pexa")"
same() { cmp -s "$1" "$2" || fail "${2#"$root"/} differs from ${1#"$source_dir"/}"; }
same "$source_dir/resources/pexa.hlp" "$root/usr/$libdir/pexa/pexa.hlp"
same "$source_dir/resources/pexa_en.hlp" "$root/usr/$libdir/pexa/pexa_en.hlp"
same "$source_dir/resources/pexa.desktop" "$root/usr/share/applications/pexa.desktop"
same "$source_dir/resources/pexa.svg" "$root/usr/share/icons/hicolor/scalable/apps/pexa.svg"
same "$build_dir/$app_id.metainfo.xml" "$root/usr/share/metainfo/$app_id.metainfo.xml"
same "$source_dir/packaging/copyright" "$root/usr/share/doc/pexa/copyright"
gunzip_to() { gzip -dc "$1" >"$2" 2>/dev/null || fail "${1#"$root"/} is not gzip data"; }
gunzip_to "$root/usr/share/man/man1/pexa.1.gz" "$work/pexa.1"
same "$source_dir/resources/pexa.1" "$work/pexa.1"
gunzip_to "$root/usr/share/doc/pexa/changelog.gz" "$work/changelog"
same "$source_dir/packaging/changelog" "$work/changelog"
# Every file belongs to root, whoever built the package.
if awk '$2 != "root/root"' "$work/contents" | grep -q .; then
  fail "files not owned by root: $(awk '$2 != "root/root"' "$work/contents")"
fi
# Stripped: no symbol table, no debugging information.
if LC_ALL=C file -L "$program" | grep -q 'not stripped\|with debug_info'; then
  fail "the program is not stripped: $(file -L "$program")"
fi

# The newest changelog entry is this version, and the copyright carries the licence's
# own words.
read -r _ changelog_version _ <"$work/changelog"
[ "$changelog_version" = "($version)" ] ||
  fail "the changelog's newest entry is $changelog_version, the package $version"
# Compared word by word: the copyright file indents the text and marks blank lines " .".
words() { tr -s ' \n.' '\n' | grep -v '^$'; }
sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE" | words >"$work/license-words"
awk '/^License: MIT$/ { text = ""; next } /^ / { text = text $0 "\n" } END { printf "%s", text }' \
  "$source_dir/packaging/copyright" | words >"$work/copyright-words"
cmp -s "$work/license-words" "$work/copyright-words" ||
  fail "the MIT text in packaging/copyright differs from LICENSE"
head -1 "$source_dir/packaging/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "packaging/copyright is not machine-readable (no Format line)"

# --- control fields ---------------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = pexa ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), project $version"
[ "$(field Section)" = math ] || fail "Section: $(field Section)"
depends=$(field Depends)
grep -Eq '(^|, )qt6-qpa-plugins(,|$| )' <<<"$depends" || fail "Depends lacks qt6-qpa-plugins: $depends"
# What dpkg-shlibdeps finds: the Qt and MPFR libraries the program links.
for library in libqt6widgets6 libmpfr6 libc6; do
  grep -Eq "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
recommends=$(field Recommends)
for package in qt6-wayland fonts-noto-cjk; do
  grep -Eq "(^|, )$package(,|$| )" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done
grep -q '<.*@.*>' <<<"$(field Maintainer)" || fail "Maintainer has no address: $(field Maintainer)"
# A synopsis line, then an extended description.
[ "$(field Description | wc -l)" -ge 3 ] || fail "no extended description: $(field Description)"

# --- lintian ----------------------------------------------------------------------------
if command -v lintian >/dev/null; then
  if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    fail "lintian: $(cat "$work/lintian.log")"
  fi
else
  echo "note: lintian not found, package not checked by it"
fi

if [ $failures -ne 0 ]; then
  echo "package_test: $failures failure(s)"
  exit 1
fi
echo "package_test: all checks passed"
