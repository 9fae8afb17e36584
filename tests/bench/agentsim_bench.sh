#!/bin/sh
# Runs the simulator's benchmark inside a private network namespace:
#   AGENTSIM=... PROBE=BENCH MKDEFINE=... tools/testnet sh tests/bench/agentsim_bench.sh
# Reports figures; asserts nothing about them. The simulator is started by the end to end
# tests' helpers, with the benchmark in place of the probe.
VANTELO_E2E_DIR="$(dirname "$0")/../e2e"
# shellcheck source=../e2e/agentsim_common.sh
. "$VANTELO_E2E_DIR/agentsim_common.sh"

start_sim --agents 256 --quiet
"$PROBE" "$work/define.ecf" 256 10.77.0.10
stop_sim
