# shellcheck shell=sh
# Sourced after console_common.sh by the tests and benchmarks of a console with two interfaces.
# make_two_pairs turns the namespace of tools/testnet into the console's, with the pair vnt0-vnt1
# (10.77.0.1/16, with the default route) and a second pair vnt2-vnt3 (10.78.0.1/16, without),
# the far end of each in a network namespace of its own ($ns_a, $ns_b) where every address of
# 10.77.1.0/24, 10.77.2.0/24, 10.78.1.0/24 and 10.78.2.0/24 is an agent; start_ns_sim starts a
# simulator there, start_pair_capture a capture of the datagrams to the agents behind a pair.
: "${work:?sourced after console_common.sh}"

holders=""
sims=""
captures=""
stop_holders() {
    for pid in $captures $sims $holders; do
        kill "$pid" 2>/dev/null || true
    done
    cleanup
}
trap stop_holders EXIT

# A network namespace of its own, held by a bounded sleep; prints the holder's process id.
new_namespace() {
    unshare -n sleep 300 </dev/null >/dev/null 2>&1 &
    echo $!
}
in_ns() {
    pid=$1
    shift
    nsenter -t "$pid" -n -- "$@"
}

# The far end $2 in the namespace held by $1 has $3.0.2/16; every address of $3.1.0/24 and
# $3.2.0/24 is an agent there.
far_end() {
    in_ns "$1" ip link set lo up
    in_ns "$1" ip link set "$2" up
    in_ns "$1" ip addr add "$3.0.2/16" dev "$2"
    in_ns "$1" ip route add local "$3.1.0/24" dev lo
    in_ns "$1" ip route add local "$3.2.0/24" dev lo
}

make_two_pairs() {
    ns_a=$(new_namespace)
    ns_b=$(new_namespace)
    holders="$ns_a $ns_b"
    sleep 0.1
    # The first pair goes on as the console's default route; its far end moves behind it, and
    # the agents' prefix is no longer local here: their replies come in through the pair.
    ip route del local 10.77.0.0/16 dev lo table local
    ip link set vnt1 netns "$ns_a"
    ip link add vnt2 type veth peer name vnt3
    ip link set vnt3 netns "$ns_b"
    ip addr add 10.78.0.1/16 dev vnt2
    ip link set vnt2 up
    far_end "$ns_a" vnt1 10.77
    far_end "$ns_b" vnt3 10.78
}

# Starts a simulator of the agents in $work/agents-$2 inside the namespace held by process $1,
# with the further options given; returns once it is ready. Its events go to $work/events-$2,
# its firmware to $work/store-$2.
start_ns_sim() {
    holder=$1
    pair=$2
    shift 2
    mkdir "$work/store-$pair"
    # The simulator ends when its standard input does: a bounded sleep holds it open.
    sleep 120 | nsenter -t "$holder" -n -- "$AGENTSIM" --define "$work/define.ecf" \
        --store "$work/store-$pair" --agent-file "$work/agents-$pair" "$@" \
        >"$work/events-$pair" 2>"$work/stderr-$pair" &
    sims="$sims $!"
    wait_until 5 grep -q '^ready ' "$work/events-$pair" ||
        fail "the simulator behind $pair did not start"
}

# Records the datagrams to the agent port that reach namespace $1 (held by process $2) in
# $work/$3 until the capture is stopped; the capture's process goes into captures.
start_pair_capture() {
    rm -f "$work/$3.ready"
    nsenter -t "$2" -n -- "$CAPTURE" 5002 60 "$work/$3" >"$work/$3.ready" &
    captures="$captures $!"
    wait_until 5 grep -q ready "$work/$3.ready" 2>/dev/null || fail "the capture $3 did not start"
}
stop_pair_captures() {
    for pid in $captures; do
        kill "$pid"
        wait "$pid" || true
    done
    captures=""
}
