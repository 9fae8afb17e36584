#!/bin/sh
# A flood of 60,000 error-coded replies against the console with its real message boxes: no box
# opens inside another, stack and memory stay bounded, Exit ends it, Discovery still works.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config empty
start_console_sim --agent-file "$agents"
run_console empty floodOfErrorCodedReplies
stop_sim
echo ok
