#!/bin/sh
# The exit code table, one row a cause, each against the simulator: 0 done, 1 the agent refused
# (its result text on standard error), 2 bad arguments, 3 no answer in time, 4 the agent cannot
# take it (loader mode, protocol version), 5 the network cannot be used (the window vantelo holds
# the console's ports), 6 a file could not be read or written (standard output on /dev/full, the
# definition file missing).
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"
: "${WINDOW:?vantelo}"

make_config codes
mkdir "$work/nodefine"
start_console_sim --agent-file "$agents"

# exit status|arguments|a line of its standard error, or - for none
cat >"$work/cases" <<'CASES'
0|discover --timeout 300|-
1|set 10.77.1.2 --system-name never --password wrong|vantelo-cli: Error: Device return : password error
2|discover --timeout 0|vantelo-cli: --timeout takes milliseconds from 1 to 600000, not '0'
3|set 10.77.9.9 --password admin --timeout 500|vantelo-cli: no answer from 10.77.9.9 within 500 ms
4|set 10.77.2.7 --password admin|vantelo-cli: Error: Agent is in loader mode, it can't set   it needs firmware upgrade
4|password 10.77.2.8 --new-password x --password admin|vantelo-cli: Error: agent protocol version not support
4|upgrade 10.77.2.8 --file /dev/null --password admin|vantelo-cli: Error: agent protocol version not support
CASES
while IFS='|' read -r code arguments message; do
    # shellcheck disable=SC2086 # the arguments of a case are split at blanks on purpose
    run_cli codes $arguments
    expect_status "$code"
    [ "$message" = - ] || expect_message "$message"
done <"$work/cases"

# 6: what cannot be written or read.
status=0
"$CLI" --cfg "$work/codes" discover --json --timeout 300 >/dev/full 2>"$work/err" || status=$?
expect_status 6
expect_message "vantelo-cli: cannot write standard output"
run_cli nodefine discover --timeout 300
expect_status 6
run_cli codes set 10.77.1.2 --password-file "$work/no-such-file"
expect_status 6
expect_message "vantelo-cli: cannot read --password-file $work/no-such-file"

# 5: the window holds the console's ports. It reads cfg/ beside its program, so a copy of it
# gets its own.
mkdir -p "$work/window/cfg"
cp "$WINDOW" "$work/window/vantelo"
cp "$work/define.ecf" "$work/window/cfg/define.ecf"
QT_QPA_PLATFORM=offscreen "$work/window/vantelo" >"$work/window.log" 2>&1 &
window_pid=$!
trap 'kill "$window_pid" 2>/dev/null || true; cleanup' EXIT
# The console's ports, base port 0x1388 and the next, bound by the window; the command line
# starts only then, or the window would find them held by the command line.
window_holds_ports() {
    kill -0 "$window_pid" 2>/dev/null || fail "the window ended: $(cat "$work/window.log")"
    grep -q ':1388 ' /proc/net/udp && grep -q ':1389 ' /proc/net/udp
}
wait_until 20 window_holds_ports || fail "the window bound no ports: $(cat "$work/window.log")"
run_cli codes discover --timeout 100
expect_status 5
[ -s "$work/err" ] || fail "exit status 5 without a message"
kill "$window_pid"
wait "$window_pid" || true

# Help, the manual page and the README list the same codes.
run_cli codes --help
for code in 0 1 2 3 4 5 6; do
    grep -q "^  $code  " "$work/out" || fail "--help lacks exit code $code"
done
stop_sim
echo ok
