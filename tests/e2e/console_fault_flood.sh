#!/bin/sh
# A flood of 100,000 random datagrams against the console with its real message boxes: no box
# opens inside another, stack and memory stay bounded, Discovery still fills the list.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config empty
start_console_sim --agent-file "$agents" --quiet
run_console empty floodOfRandomDatagrams
stop_sim
echo ok
