#!/usr/bin/env bash
# x_server.sh COMMAND [ARG...]: runs COMMAND in an X server of its own (Xvfb, 1280x1024, 24 bits).
# The server picks a free display itself (-displayfd) and names it once it listens, so two runs
# never race for one; COMMAND starts only once the server has answered a request.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

dir=$(mktemp -d)
server=
stop() {
    if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
    rm -rf "$dir"
}
trap stop EXIT

mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
# The server writes the display's number when it is ready, or closes the pipe when it fails.
number=
read -r -t 60 number <"$dir/display" || true
[ -n "$number" ] || { cat "$dir/xvfb.log" >&2; fail "Xvfb named no display"; }
export DISPLAY=:$number
until xdpyinfo >/dev/null 2>&1; do
    kill -0 "$server" 2>/dev/null || { cat "$dir/xvfb.log" >&2; fail "Xvfb on $DISPLAY ended before it answered"; }
    sleep 0.05
done
"$@"
