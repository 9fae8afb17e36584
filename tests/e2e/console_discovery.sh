#!/bin/sh
# Discovery lists agents of every kind with their columns; an agent moved to the monitor list
# answers the next discovery into its monitor row.
. "$(dirname "$0")/console_common.sh"

start_console_sim --agent-file "$(dirname "$0")/console_agents.txt"
run_console discoveryListsEveryAgent movedAgentAnswersIntoMonitorRow
wait_for '^discovery-reply 10.77.1.2$' 4
wait_for '^loader-reply 10.77.2.7$' 4
stop_sim
echo ok
