#!/bin/sh
# The settings dialogs against the simulator: a monitored agent takes a new address, names and a
# fixed address and answers from its new address; a wrong password is refused; a password change
# is followed by a configuration with the new password.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config moved
make_config refused
make_config password
start_console_sim --agent-file "$agents"
run_console moved configurationMovesAMonitoredAgent
wait_for '^set-applied 020a1b000001 10.77.1.41$' 1
run_console refused wrongPasswordIsRefused
run_console password passwordChangeThenConfiguration
wait_for '^set-applied 020a1b000005 10.77.1.5$' 2
stop_sim
echo ok
