#!/usr/bin/env bash
# Checks a file the packages ship with the tool its format has, and fails on any error
# or warning. Exits 77 (skipped) when the tool is missing (scripts/deps.sh test
# installs each).
# Usage: metadata_test.sh appstream <file.metainfo.xml>
#        metadata_test.sh desktop <file.desktop>
#        metadata_test.sh manual <page.1> <source dir>
set -uo pipefail

kind=$1
file=$2
need() {
  if ! command -v "$1" >/dev/null; then
    echo "metadata_test: $1 not found; skipped"
    exit 77
  fi
}
report=
case $kind in
  appstream)
    need appstreamcli
    report=$(appstreamcli validate --no-net --no-color "$file" 2>&1) || {
      echo "$report"
      exit 1
    }
    # Infos and pedantic remarks pass; anything stronger fails.
    if grep -q '^[EW]:' <<<"$report"; then
      echo "$report"
      exit 1
    fi
    ;;
  desktop)
    need desktop-file-validate
    report=$(desktop-file-validate "$file" 2>&1) || {
      echo "$report"
      exit 1
    }
    # Hints (such as two main categories) are advice; errors and warnings fail.
    if grep -q 'error:\|warning:' <<<"$report"; then
      echo "$report"
      exit 1
    fi
    ;;
  manual)
    need groff
    source_dir=$3
    # -ww: every warning; -z: no output, only the diagnostics.
    report=$(LC_ALL=C.UTF-8 groff -man -ww -z "$file" 2>&1)
    if [ -n "$report" ]; then
      echo "$report"
      exit 1
    fi
    # Every environment variable the program or install.sh reads is documented.
    variables=$(grep -rhoE '(getenv|qEnvironmentVariable[A-Za-z]*)\("[A-Z_]+"\)' \
      "$source_dir/src" | grep -oE '"[A-Z_]+"' | tr -d '"' | sort -u)
    variables+=$'\n'$(grep -oE '\$\{(PEXA_[A-Z_]+):-' "$source_dir/install.sh" |
      grep -oE 'PEXA_[A-Z_]+' | sort -u)
    environment=$(sed -n '/^\.SH ENVIRONMENT/,/^\.SH [^E]/p' "$file")
    for variable in $variables; do
      grep -qw -- "$variable" <<<"$environment" ||
        report+="$file does not describe $variable in ENVIRONMENT"$'\n'
    done
    if [ -n "$report" ]; then
      printf '%s' "$report"
      exit 1
    fi
    ;;
  *)
    echo "usage: $0 appstream|desktop|manual FILE [SOURCE DIR]" >&2
    exit 2
    ;;
esac
echo "metadata_test: $file passes"
