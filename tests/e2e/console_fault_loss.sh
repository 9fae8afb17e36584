#!/bin/sh
# A fifth of the datagrams lost each way: discovery pressed again lists every agent once, polls
# and their resends keep the monitored agents alive, and a firmware transfer completes through
# its resends with the image stored byte for byte.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"
export VANTELO_E2E_MARKERS="$work"

make_config lossy
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/lossy/monitor.cfg" \
    10.77.1.1 10.77.1.2 || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$agents" --loss 20 --seed 7
run_console lossy lossyDiscoveryAndPolling
stop_sim

make_config upgrade
head -c 8192 /dev/urandom >"$work/image.hex"
export VANTELO_E2E_FIRMWARE="$work/image.hex"
start_console_sim --agents 2 --restart-seconds 3 --quiet --seed 11
run_console upgrade lossyTransfer
wait_for '^tftp-stored 02000a4d000a 8192$' 1 5
cmp "$work/image.hex" "$work/store/02000a4d000a.bin" || fail "the stored image differs"
stop_sim
echo ok
