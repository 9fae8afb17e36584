#!/bin/sh
# Monitoring: a monitored agent that falls silent is declared not alive in the log and its row,
# and alive again when it answers; a trap it sends reaches the log and the trap dialog.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config watched
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/watched/monitor.cfg" \
    10.77.1.1 10.77.1.2 || fail "vantelo-demo-monitor"

start_console_sim --agent-file "$agents"
run_console watched silencedAgentIsNotAliveUntilItAnswers trapReachesLogAndDialog
wait_for '^trap-sent 10.77.1.2 10.77.0.1 fan failure$'
wait_for '^poll-reply 10.77.1.2$'
stop_sim
echo ok
