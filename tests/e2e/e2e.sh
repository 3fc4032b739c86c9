#!/usr/bin/env bash
# Drives the real program in a real X server (run under x_server.sh) with real input events.
#   e2e.sh normal        PROGRAM DSB_DIR SHOTS_DIR   the shipped data: topics, menus, languages, exit
#   e2e.sh missing-start PROGRAM DSB_DIR SHOTS_DIR   dsb/start.dsb absent: error box, program lives on
#   e2e.sh installed     DESKTOP_FILE               start as the desktop entry does, then exit
# With E2E_WM=openbox the window manager runs too, so frames, placement and focus are real.
set -euo pipefail

# The program runs on the X server, whatever platform the widget tests around it were given.
export QT_QPA_PLATFORM=xcb

fail() { echo "FAIL: $*" >&2; exit 1; }
log() { echo "-- $*"; }

# Waits up to $2 seconds for a visible window whose title matches $1; prints its id. It looks
# often, so the moment a window appears is known to a few milliseconds.
wait_window() {
    local pattern=$1 seconds=$2 id
    for ((i = 0; i < seconds * 100; i++)); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.01
    done
    return 1
}

start_window_manager() {
    [ -n "${E2E_WM:-}" ] || return 0
    [ "$E2E_WM" = openbox ] || fail "unknown window manager $E2E_WM"
    openbox --sm-disable >"$shots/openbox.log" 2>&1 &
    wm=$!
    for ((i = 0; i < 100; i++)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { log "openbox runs"; return 0; }
        sleep 0.05
    done
    fail "openbox did not start"
}

# The outer frame of window $1 as "left top width height": the window and the frame extents the
# window manager puts around it (none on a bare X server).
frame_of() {
    local id=$1 x y w h extents l=0 r=0 t=0 b=0
    eval "$(xwininfo -id "$id" | awk -F: '/Absolute upper-left X/{print "x=" $2} /Absolute upper-left Y/{print "y=" $2}
                                          /Width/{print "w=" $2} /Height/{print "h=" $2}' | tr -d ' ')"
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] && IFS=, read -r l r t b <<<"$extents"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Under a window manager, waits until window $1 ($2 names it) carries its frame extents: the
# program places a window again when they arrive.
wait_framed() {
    local id=$1 name=$2
    [ -n "${E2E_WM:-}" ] || return 0
    for ((i = 0; i < 500; i++)); do
        xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = ' && return 0
        sleep 0.02
    done
    fail "$name has no frame extents from the window manager"
}

# Checks that window $1 ($2 names it) is centred on the screen by its frame, to the pixel that
# an odd difference leaves. Once the window is framed, the program places it again; it has a few
# seconds to do so on a busy machine.
check_centred() {
    local id=$1 name=$2 left top width height screen_w screen_h dx dy
    read -r screen_w screen_h <<<"$(xwininfo -root | awk -F: '/Width/{w=$2} /Height/{h=$2} END{print w, h}')"
    wait_framed "$id" "$name"
    for ((i = 0; i < 100; i++)); do
        read -r left top width height <<<"$(frame_of "$id")"
        dx=$((screen_w - width - 2 * left)) dy=$((screen_h - height - 2 * top))
        if ((dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1)); then
            log "$name frame ${width}x${height} at $left,$top"
            return 0
        fi
        sleep 0.05
    done
    fail "$name is not centred by its frame: ${width}x${height} at $left,$top on ${screen_w}x${screen_h}"
}

# The keyboard belongs to the main window: the menu keys reach it without a click.
check_focus() {
    local focus
    for ((i = 0; i < 50; i++)); do
        focus=$(xdotool getwindowfocus 2>/dev/null || true)
        [ "$focus" = "$main" ] && return 0
        sleep 0.02
    done
    fail "after $1 the keyboard focus is on window $focus, not on the main window $main"
}

# Opens the exit confirmation with the menu keys and cancels it with Escape.
cancel_exit() {
    xdotool key --clearmodifiers alt+l
    sleep 0.3
    xdotool key x
    local box
    box=$(wait_window '^Confirm$' 5) || fail "no exit confirmation (the menu keys did not reach the main window)"
    check_centred "$box" "the exit confirmation"
    shot exit-box-cancelled
    xdotool key Escape
    sleep 0.3
    visible '^Confirm$' && fail "Escape left the exit confirmation up"
    alive || fail "the program ended when the exit was cancelled"
    check_focus "the cancelled exit confirmation"
}

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

alive() { kill -0 "$pid" 2>/dev/null; }

shot() { import -window root "$shots/$1.png"; }

# The grid's part of the main window, cut from a screenshot, so two moments can be compared.
grid_differs() {
    local a=$1 b=$2 region
    region=$(xdotool getwindowgeometry --shell "$main" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print "600x300+" x+190 "+" y+90}')
    local metric
    metric=$(compare -metric AE <(convert "$shots/$a.png" -crop "$region" png:-) \
                                <(convert "$shots/$b.png" -crop "$region" png:-) null: 2>&1 || true)
    [ "${metric%% *}" != "0" ]
}

# Clicks topic number $1 of the list (items about 17 pixels high, below the menu bar).
click_topic() {
    local index=$1 x y
    eval "$(xdotool getwindowgeometry --shell "$main")"
    x=$((X + 20))
    y=$((Y + menubar + 18 + index * 17 + 8))
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 0.5
}

start_program() {
    local launched
    launched=$(date +%s%N)
    (cd "$workdir" && exec "$program") &
    pid=$!
    splash=$(wait_window '^Tarvolin$' 10) || fail "no splash window"
    started=$(date +%s%N)
    log "splash window $splash"
    sleep 0.5
    shot splash
    check_centred "$splash" "the splash window"
    main=$(wait_window '^Tarvolin - QZ7KV$' 10) || fail "no main window"
    local now since_launch since_splash
    now=$(date +%s%N)
    since_launch=$(((now - launched) / 1000000)) since_splash=$(((now - started) / 1000000))
    log "main window $main ${since_launch} ms after the start, ${since_splash} ms after the splash showed"
    # The timer starts after the program does and before its splash shows. The main window
    # appears a little after the timer ends, once it is built and has loaded the start file: on
    # this machine, shared with builds and other tests, up to 460 ms.
    ((since_launch >= 4990)) || fail "the hand-over came ${since_launch} ms after the start, before 5000"
    ((since_splash < 5600)) || fail "the hand-over came ${since_splash} ms after the splash showed, not 5000"
    menubar=22
}

# The main window's frame, window manager's included, has the designed outer size.
check_main_frame() {
    local left top width height
    sleep 0.3
    read -r left top width height <<<"$(frame_of "$main")"
    [ "${width}x${height}" = 969x636 ] || fail "the main window's frame is ${width}x${height}, not 969x636"
    check_centred "$main" "the main window"
}

exit_program() {
    xdotool key --clearmodifiers alt+l
    sleep 0.3
    xdotool key x
    wait_window '^Confirm$' 5 >/dev/null || fail "no exit confirmation"
    shot exit-box
    xdotool key Return
    local status=0
    for ((i = 0; i < 50; i++)); do alive || break; sleep 0.1; done
    alive && fail "the program did not end after OK"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
    log "ended cleanly"
}

mode=$1
shift
case "$mode" in
normal | missing-start)
    program=$1 dsb=$2 shots=$3
    mkdir -p "$shots"
    workdir=$(mktemp -d)
    trap 'kill "$pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT
    cp -r "$dsb" "$workdir/dsb"
    [ "$mode" = missing-start ] && rm "$workdir/dsb/start.dsb"
    trap 'kill "$pid" "${wm:-}" 2>/dev/null || true; rm -rf "$workdir"' EXIT
    start_window_manager
    ;;
installed)
    desktop=$1
    shots=$(mktemp -d)
    program=$(sed -n 's/^Exec=//p' "$desktop")
    workdir=$(sed -n 's/^Path=//p' "$desktop")
    [ -x "$program" ] || fail "the desktop entry's program $program is not there"
    [ -d "$workdir/dsb" ] || fail "the desktop entry's folder $workdir has no dsb/"
    trap 'kill "$pid" 2>/dev/null || true; rm -rf "$shots"' EXIT
    ;;
*) fail "unknown mode $mode" ;;
esac

start_program
sleep 0.5
visible '^Tarvolin$' && splash_still=1 || splash_still=0

if [ "$mode" = missing-start ]; then
    # The error box carries the application's title; the splash has gone by the time it shows.
    box=$(wait_window '^Tarvolin$' 5) || fail "no error box for the missing start file"
    shot missing-start-error
    xdotool key Return
    sleep 0.5
    alive || fail "the program ended after the error box"
    visible '^Tarvolin$' && fail "the error box or the splash is still shown"
    visible '^Tarvolin - QZ7KV$' || fail "the main window went away"
    check_focus "the error box"
    check_main_frame
    shot missing-start-empty
    cancel_exit
    click_topic 7
    shot missing-start-weather
    grid_differs missing-start-empty missing-start-weather || fail "picking a topic after the error showed nothing"
    visible '^Tarvolin$' && fail "an error box after picking a topic"
    exit_program
    exit 0
fi

[ "$splash_still" = 0 ] || fail "the splash is still shown after the hand-over, or an error box came up"
shot start
check_focus "the hand-over"
check_main_frame
[ "$mode" = installed ] && { exit_program; exit 0; }

click_topic 7
shot weather
grid_differs start weather || fail "the weather topic did not change the grid"
alive || fail "the program died after a topic click"

xdotool key --clearmodifiers alt+d
sleep 0.3
xdotool key s
sleep 0.5
shot slang
grid_differs weather slang || fail "Slang Eng-Rus did not change the grid"

click_topic 2
xdotool key --clearmodifiers alt+i
sleep 0.3
xdotool key j
sleep 0.5
shot thanks-japanese
grid_differs slang thanks-japanese || fail "a topic with Japanese on the right did not change the grid"
alive || fail "the program died"
cancel_exit
exit_program
