#!/usr/bin/env bash
# Runs a command under a private Xvfb server (1920x1200, 24 bits, no TCP) and
# stops the server afterwards; the command's exit status is passed on. The
# server does not reset when its last client leaves (-noreset): a client that
# connects during such a reset is refused, which would break runs at random.
#
#   bench/startup/with_xvfb.sh command [arguments]
#
# The server chooses a free display number itself (-displayfd), so several of
# these can run side by side without racing for the same number, as
# `xvfb-run -a` can when other jobs start X servers at the same moment.
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: with_xvfb.sh command [arguments]" >&2
    exit 2
fi

work=$(mktemp -d)
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
# The server writes its display number once it accepts connections.
if ! read -r -t 20 number <"$work/display"; then
    echo "with_xvfb.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$number"
unset XAUTHORITY

status=0
"$@" || status=$?
if ! kill -0 "$server" 2>/dev/null; then
    echo "with_xvfb.sh: Xvfb ended early:" >&2
    cat "$work/xvfb.log" >&2
fi
exit $status
