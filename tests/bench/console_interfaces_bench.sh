#!/bin/sh
# Discovery on more than one interface, inside a private network namespace:
#   AGENTSIM=... DRIVER=BENCH MKDEFINE=... DEMO_MONITOR=... \
#       tools/testnet sh tests/bench/console_interfaces_bench.sh
# First 256 agents on the one interface of tools/testnet, the console going out of each usable
# interface against the console following the routing table as before, in turns, as a ratio of
# the medians of this one run; then 2 x 256 agents behind two interfaces, timed to the full
# discovery list (it holds 256). Reports; asserts no timing.
VANTELO_E2E_DIR="$(dirname "$0")/../e2e"
# shellcheck source=../e2e/console_common.sh
. "$VANTELO_E2E_DIR/console_common.sh"
BENCH=$DRIVER
turns=3
runs=8

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# The times of every complete run of the benchmark's output in $1, appended to $2.
keep_times() {
    sed -n 's/^run *[0-9]*: [0-9]* rows after \([0-9.]*\) ms$/\1/p' "$1" >>"$2"
}

make_config empty
start_console_sim --agents 256 --quiet
: >"$work/each"
: >"$work/routed"
turn=0
while [ "$turn" -lt "$turns" ]; do
    "$BENCH" discovery "$runs" "$work/empty" 256 >"$work/out" || fail "discovery: $(cat "$work/out")"
    keep_times "$work/out" "$work/each"
    "$BENCH" discovery "$runs" "$work/empty" 256 routed >"$work/out" ||
        fail "routed discovery: $(cat "$work/out")"
    keep_times "$work/out" "$work/routed"
    turn=$((turn + 1))
done
stop_sim
each=$(median <"$work/each")
routed=$(median <"$work/routed")
echo "discovery of 256 agents on one interface, $turns turns of $runs runs each:" \
    "out of each usable interface median $each ms ($(wc -l <"$work/each") complete runs)," \
    "as before (routing table) median $routed ms ($(wc -l <"$work/routed") complete runs)," \
    "ratio $(awk -v a="$each" -v b="$routed" 'BEGIN { printf "%.2f", a / b }')"

# shellcheck source=../e2e/two_pairs.sh
. "$VANTELO_E2E_DIR/two_pairs.sh"
make_two_pairs
# 256 agents behind each pair: $1.1.1 to $1.1.200, then $1.2.1 on.
agents_behind() {
    awk -v prefix="$1" -v mac="$2" 'BEGIN {
        for (n = 0; n < 256; n++)
            printf "02:0a:1b:%s:%02x:%02x|%s.%d.%d|255.255.0.0|%s.0.1|%s.0.1|VS-24P|agent-%d|rack|admin|disable|2|2|no\n",
                mac, int(n / 256), n % 256, prefix, n < 200 ? 1 : 2, n < 200 ? n + 1 : n - 199,
                prefix, prefix, n
    }'
}
agents_behind 10.77 4d >"$work/agents-a"
agents_behind 10.78 4e >"$work/agents-b"
start_ns_sim "$ns_a" a
start_ns_sim "$ns_b" b
# The discovery list holds 256 agents: the time is to the full list, with 512 answering; each
# discovery ends in the full list's box, and in no other.
"$BENCH" discovery 20 "$work/empty" 256 >"$work/out" || true
if grep '^box: ' "$work/out" | grep -qvx 'box: Add fail, out of 256 devices'; then
    fail "two interfaces: $(cat "$work/out")"
fi
: >"$work/two"
keep_times "$work/out" "$work/two"
echo "discovery with 2 x 256 agents answering behind two interfaces, 20 runs: the discovery" \
    "list full (256 rows) after a median $(median <"$work/two") ms" \
    "($(wc -l <"$work/two") complete runs)"
