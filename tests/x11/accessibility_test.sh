#!/usr/bin/env bash
# Runs accessibility_test.py on a private X server (bench/startup/with_xvfb.sh)
# and a private session bus, with the system's Python, where python3-pyatspi
# installs the AT-SPI bindings. Skipped (77) when a tool it needs is missing;
# scripts/deps.sh test installs them.
#
#   accessibility_test.sh SOURCE_DIR PEXA_EXECUTABLE
set -euo pipefail

source_dir=$1
executable=$2
python=/usr/bin/python3

for tool in Xvfb dbus-run-session xdotool "$python"; do
  if ! command -v "$tool" >/dev/null; then
    echo "accessibility_test: $tool is missing" >&2
    exit 77
  fi
done
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "accessibility_test: $python cannot import pyatspi (python3-pyatspi)" >&2
  exit 77
fi

# The AT-SPI bus and registry are started by the private session bus as the
# program asks for them; nothing of the desktop the test runs in is used.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
exec "$source_dir/bench/startup/with_xvfb.sh" dbus-run-session -- \
  "$python" "$source_dir/tests/x11/accessibility_test.py" "$executable"
