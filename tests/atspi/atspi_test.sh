#!/usr/bin/env bash
# The real program as a screen reader meets it, with no screen reader: an X server of its own
# with openbox, a private D-Bus session with the AT-SPI bus, and walk.py, which walks every
# window through pyatspi and drives the keyboard with xdotool.
#   atspi_test.sh PROGRAM RUN_DIR              RUN_DIR holds dsb/
#   atspi_test.sh --run COMMAND [ARGUMENT...]   instead of the walk: a window test, with the
#                                               accessibility bridge on
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = --in-session ]; then
    # Inside the private session bus: the accessibility bus, then the program, then the walk.
    shift
    program=$1 run_dir=$2
    # Asking for the bus's address starts it.
    for ((i = 0; i < 100; i++)); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
            >/dev/null 2>&1 && break
        sleep 0.05
    done
    export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    status=0
    if [ "$program" = --run ]; then
        shift
        "$@" >"$scratch/program.log" 2>&1 || status=$?
        cat "$scratch/program.log"
    else
        (cd "$run_dir" && exec "$program" >"$scratch/program.log" 2>&1) &
        pid=$!
        /usr/bin/python3 "$here/walk.py" "$pid" || status=$?
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    # Qt's bridge warns when it cannot answer a query; nothing asked what it should not.
    if grep -E 'Accessible invalid|invalid index|Could not find accessible|Cannot create accessible' \
        "$scratch/program.log"; then
        fail "the program warned while it was walked"
    fi
    exit "$status"
fi

[ $# -eq 2 ] || [ "${1:-}" = --run ] || fail "usage: atspi_test.sh PROGRAM RUN_DIR | --run COMMAND..."
scratch=$(mktemp -d)
export scratch
xvfb=""
wm=""
# shellcheck disable=SC2317  # run by the trap
cleanup() {
    if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# The server picks a free display and names it: other X servers may run beside this one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for ((i = 0; i < 200; i++)); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
DISPLAY=":$(head -n 1 "$scratch/display")"
export DISPLAY

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm=$!
for ((i = 0; i < 100; i++)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

# The user's own files stay in the scratch folder.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"
mkdir -p "$HOME"
status=0
dbus-run-session -- "$0" --in-session "$@" || status=$?
[ "$status" -eq 0 ] || { echo "--- program output"; cat "$scratch/program.log"; }
exit "$status"
