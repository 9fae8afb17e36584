#!/bin/sh
# Discovery lists agents of every kind with their columns; an agent moved to the monitor list,
# or listed in the monitor list file at start-up, answers into its monitor row.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config empty
make_config listed
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/listed/monitor.cfg" \
    10.77.1.4 10.77.1.1 || fail "vantelo-demo-monitor"
[ "$(wc -c <"$work/listed/monitor.cfg")" = 544 ] || fail "monitor.cfg is not two records"
# Agents whose settings the console does not keep, and addresses of no agent, are refused.
for refused in 10.77.2.7 10.77.2.8 10.77.9.9 10.77.1; do
    status=0
    "$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/refused.cfg" \
        10.77.1.1 "$refused" 2>"$work/refusal" || status=$?
    if [ "$status" != 2 ] || [ ! -s "$work/refusal" ] || [ -e "$work/refused.cfg" ]; then
        fail "vantelo-demo-monitor took $refused: status $status, $(cat "$work/refusal")"
    fi
done

start_console_sim --agent-file "$agents"
run_console empty discoveryListsEveryAgent movedAgentAnswersIntoMonitorRow
run_console listed monitorListFromFile
wait_for '^discovery-reply 10.77.1.2$' 5
wait_for '^loader-reply 10.77.2.7$' 5
stop_sim
echo ok
