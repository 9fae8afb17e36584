#!/bin/sh
# One window per configuration directory, with the real vantelo: a second start on the same
# directory ends at once with status 0 and brings the running window forward (under Xvfb it
# goes to the top of the stack); a start on another directory opens its own window and keeps
# running.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
: "${WINDOW:?vantelo}"

# An installed console: the operator's directory comes from XDG_CONFIG_HOME.
mkdir -p "$work/inst/bin" "$work/inst/share/vantelo" "$work/home-b/vantelo"
cp "$WINDOW" "$work/inst/bin/vantelo"
cp "$work/define.ecf" "$work/inst/share/vantelo/define.ecf"
# The other directory's console has ports of its own, so that both can run.
"$MKDEFINE" --device-type 03B27F16 --base-port 1390 -o "$work/home-b/vantelo/define.ecf" ||
    fail "vantelo-mkdefine"

start_display
windows=""
stop_windows() {
    for pid in $windows; do
        kill "$pid" 2>/dev/null || true
    done
    stop_display
    cleanup
}
trap stop_windows EXIT

# Starts the console on $work/$1 in the background; started is its process id.
start_window() {
    XDG_CONFIG_HOME="$work/$1" QT_QPA_PLATFORM=$platform "$work/inst/bin/vantelo" \
        >"$work/$1.log" 2>&1 &
    started=$!
    windows="$windows $started"
}
# Succeeds once process $1 holds its base port $2 (hex) and the next.
holds_ports() {
    kill -0 "$1" 2>/dev/null || fail "the console ended: $(cat "$work"/home-*.log)"
    next=$(printf '%04X' $((0x$2 + 1)))
    grep -q ":$2 " /proc/net/udp && grep -q ":$next " /proc/net/udp
}
# The shown top-level window of process $1, under Xvfb.
window_of() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1
}
# Succeeds when the window of process $1 lies above that of process $2: xwininfo lists the
# root's children top to bottom.
above() {
    upper=$(printf '0x%x' "$(window_of "$1")")
    lower=$(printf '0x%x' "$(window_of "$2")")
    xwininfo -root -children | awk -v upper="$upper" -v lower="$lower" '
        $1 == upper { seen = 1 }
        $1 == lower { found = seen }
        END { exit !found }'
}
ended() {
    ! kill -0 "$1" 2>/dev/null
}

start_window home-a
first=$started
wait_until 20 holds_ports "$first" 1388 || fail "the first console bound no ports"
start_window home-b
other=$started
wait_until 20 holds_ports "$other" 1390 || fail "the console on another directory bound no ports"
if [ "$platform" = xcb ]; then
    wait_until 5 test -n "$(window_of "$first")" || fail "the first console shows no window"
    wait_until 5 test -n "$(window_of "$other")" || fail "the other console shows no window"
    above "$other" "$first" || fail "the later window is not on top: $(xwininfo -root -children)"
fi

# The second start on the first directory.
start_window home-a
second=$started
wait_until 5 ended "$second" || fail "the second start on the same directory kept running"
wait "$second"
status=$?
[ "$status" = 0 ] || fail "the second start ended with status $status: $(cat "$work/home-a.log")"
if [ "$platform" = xcb ]; then
    wait_until 5 above "$first" "$other" ||
        fail "the first window did not come forward: $(xwininfo -root -children)"
fi
# Both consoles run on; the other one was not asked.
sleep 0.5
ended "$first" && fail "the first console ended"
ended "$other" && fail "the console on another directory ended"
[ "$(pgrep -c -f "^$work/inst/bin/vantelo")" = 2 ] || fail "not two consoles: $(pgrep -a vantelo)"
echo "ok ($platform)"
