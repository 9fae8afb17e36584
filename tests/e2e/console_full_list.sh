#!/bin/sh
# 257 agents answer each discovery: the first 256 fill the list, the last one gets a box.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"

make_config empty
start_console_sim --agents 257 --quiet
run_console empty fullDiscoveryList
stop_sim
echo ok
