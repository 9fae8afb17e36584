#!/bin/sh
# Runs the simulator's benchmark inside a private network namespace:
#   tools/testnet sh tests/bench/agentsim_bench.sh AGENTSIM BENCH MKDEFINE
# Reports figures; asserts nothing about them.
set -eu
. "$(dirname "$0")/../e2e/private_network_guard.sh"
AGENTSIM=$1
BENCH=$2
MKDEFINE=$3
work=$(mktemp -d)
trap 'kill "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$MKDEFINE" --device-type 03B27F16 --base-port 1388 -o "$work/define.ecf"
sleep 1000 | "$AGENTSIM" --define "$work/define.ecf" --store "$work" --agents 256 --quiet \
    >"$work/events" 2>&1 &
sim_pid=$!
tries=0
until grep -q '^ready ' "$work/events"; do
    tries=$((tries + 1))
    [ $tries -lt 100 ] || { echo "the simulator did not start: $(cat "$work/events")"; exit 1; }
    sleep 0.05
done
"$BENCH" "$work/define.ecf" 256 10.77.0.10
