#!/usr/bin/env bash
# The Japanese translation is finished: lrelease compiles every message of
# translations/pexa_ja.ts as finished, and lupdate run over the sources finds no
# text the file lacks.
#
#   translations_test.sh SOURCE_DIR LRELEASE LUPDATE
set -euo pipefail

source_dir=$1
lrelease=$2
lupdate=$3
ts=$source_dir/translations/pexa_ja.ts

fail() {
  printf 'translations_test: %s\n' "$*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

report=$("$lrelease" "$ts" -qm "$work/pexa_ja.qm" 2>&1) || fail "lrelease: $report"
grep -q 'Generated [0-9]* translation(s) ([0-9]* finished and 0 unfinished)' <<<"$report" ||
  fail "unfinished messages: $report"
! grep -q 'untranslated' <<<"$report" || fail "untranslated messages: $report"

# A text added to the sources but not to the file would show in English only.
cp "$ts" "$work/current.ts"
"$lupdate" -silent -no-obsolete -locations none -I "$source_dir/src" "$source_dir/src/ui" \
  -ts "$work/current.ts" >"$work/lupdate.log" 2>&1 || fail "lupdate: $(cat "$work/lupdate.log")"
if grep -n 'type="unfinished"' "$work/current.ts"; then
  fail "texts of the sources missing from $ts (run: cmake --build <dir> --target update_translations)"
fi
# A text the program shows but lupdate does not see in the sources (a text
# passed through a helper of its own) would be dropped by the next update.
messages() { grep -c '<message>' "$1" || true; }
if [ "$(messages "$work/current.ts")" -ne "$(messages "$ts")" ]; then
  diff <(grep -o '<source>.*</source>' "$ts" | sort) \
    <(grep -o '<source>.*</source>' "$work/current.ts" | sort) >&2 || true
  fail "texts of $ts that lupdate no longer finds in the sources (above)"
fi
echo "translations finished"
