#!/bin/sh
# Firmware upgrade of a simulated agent: a 1 MiB file goes over, the agent stores it byte for
# byte, restarts and is found again ("Upgrade successful"); an agent whose restart never ends
# gives "Upgrade fail".
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"

make_config upgrade
head -c 1048576 /dev/urandom >"$work/image.hex"
export VANTELO_E2E_FIRMWARE="$work/image.hex"
start_console_sim --agents 2 --restart-seconds 3 --quiet
run_console upgrade upgradeRestartedAgent
wait_for '^tftp-stored 02000a4d000a 1048576$' 1 5
cmp "$work/image.hex" "$work/store/02000a4d000a.bin" || fail "the stored image differs"
run_console upgrade upgradeAgentThatNeverComesBack
wait_for '^tftp-stored 02000a4d000a 1048576$' 2 5
stop_sim
echo ok
