#!/bin/sh
# Agents that go away: one silenced and revived again and again, and the simulator killed in the
# middle of a firmware transfer and started again for a second Start.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"
export VANTELO_E2E_MARKERS="$work"

make_config watched
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/watched/monitor.cfg" \
    10.77.1.1 10.77.1.2 || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$agents" --quiet
run_console watched silencedAndRevivedRepeatedly
stop_sim

# Every datagram of the agent 20 ms late: 128 blocks take seconds, time enough to kill it.
make_config upgrade
head -c 65536 /dev/urandom >"$work/image.hex"
export VANTELO_E2E_FIRMWARE="$work/image.hex"
start_console_sim --agents 2 --restart-seconds 3 --quiet --delay 20
run_console upgrade agentKilledMidTransfer &
driver=$!
# Whether FILE is there; fails when the driver ended, waiting for STAGE.
driver_made() {
    kill -0 "$driver" 2>/dev/null || fail "the driver ended before $2"
    [ -e "$1" ]
}
wait_until 30 driver_made "$work/transfer-running" "the transfer ran" ||
    fail "the transfer did not start"
kill -KILL "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
sim_pid=""
exec 3>&-
grep -q '^tftp-stored' "$work/events" && fail "the transfer ended before the kill"
touch "$work/killed"
wait_until 90 driver_made "$work/restart-simulator" "the restart" ||
    fail "the driver never asked for the simulator"
rm -f "$work/control.sock"
start_console_sim --agents 2 --restart-seconds 3 --quiet
touch "$work/simulator-back"
wait "$driver" || fail "console driver: agentKilledMidTransfer"
wait_for '^tftp-stored 02000a4d000a 65536$' 1 5
cmp "$work/image.hex" "$work/store/02000a4d000a.bin" || fail "the stored image differs"
stop_sim
echo ok
