#!/bin/sh
# The console's figures inside a private network namespace:
#   AGENTSIM=... DRIVER=BENCH MKDEFINE=... DEMO_MONITOR=... \
#       tools/testnet sh tests/bench/console_bench.sh
# 256 agents answering one discovery, 20 times; a flood of traps for a monitor list of 256 agents;
# then start-up to a shown window with that monitor list, several times, under Xvfb when it is
# there. Reports; asserts no timing.
VANTELO_E2E_DIR="$(dirname "$0")/../e2e"
# shellcheck source=../e2e/console_common.sh
. "$VANTELO_E2E_DIR/console_common.sh"
BENCH=$DRIVER
startups=7

make_config empty
start_console_sim --agents 256 --quiet
"$BENCH" discovery 20 "$work/empty" || fail "discovery benchmark"
stop_sim

# 256 agents as vantelo-demo-monitor reads them, in the monitor list file.
make_full_monitor_list full

# 100,000 traps for those 256 agents, answering polls meanwhile, at 10,000 a second.
make_config flood
cp "$work/full/monitor.cfg" "$work/flood/monitor.cfg"
start_console_sim --agent-file "$work/agents" --quiet
"$BENCH" flood 100000 10000 "$work/flood" || fail "trap flood benchmark"
stop_sim

start_display
run=0
while [ "$run" -lt "$startups" ]; do
    VANTELO_BENCH_T0=$(date +%s%N) QT_QPA_PLATFORM=$platform "$BENCH" startup "$work/full" \
        >>"$work/startups" || fail "start-up benchmark"
    run=$((run + 1))
done
stop_display
cat "$work/startups"
median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
echo "start-up to a shown window with 256 monitored agents ($platform, $startups runs):" \
    "median $(awk '{ print $2 }' "$work/startups" | median) ms from exec," \
    "$(awk '{ print $4 }' "$work/startups" | median) ms from main;" \
    "peak memory median $(awk '{ print $8 }' "$work/startups" | median) KiB," \
    "max $(awk '{ print $8 }' "$work/startups" | sort -n | tail -1) KiB"
