#!/bin/sh
# Two interfaces: the console's namespace has the pair of tools/testnet (10.77.0.1/16, with the
# default route) and a second pair (10.78.0.1/16, no default route); a simulator answers behind
# each, in a namespace of its own. Discovery finds the agents of both and tells each one's
# interface; --interface restricts it to one pair, by name or by address; a bad --interface is
# one line and exit 2; a set and an upgrade of an agent behind the second pair succeed; a
# capture behind each pair shows every request to that agent leaving through its own pair only.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

# shellcheck source=two_pairs.sh
. "$(dirname "$0")/two_pairs.sh"
make_two_pairs

printf '%s\n' \
    '02:0a:1b:4d:01:01|10.77.1.1|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|first-1|hall A|admin|disable|2|2|no' \
    '02:0a:1b:4d:01:02|10.77.1.2|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|first-2|hall A|admin|disable|2|2|no' \
    >"$work/agents-a"
printf '%s\n' \
    '02:0a:1b:4e:01:01|10.78.1.1|255.255.0.0|10.78.0.1|10.78.0.1|VS-24P|second-1|hall B|admin|disable|2|2|no' \
    '02:0a:1b:4e:01:02|10.78.1.2|255.255.0.0|10.78.0.1|10.78.0.1|VS-24P|second-2|hall B|admin|disable|2|2|no' \
    >"$work/agents-b"

start_ns_sim "$ns_a" a
start_ns_sim "$ns_b" b

make_config plain

run_cli plain discover --json --timeout 1500
expect_status 0
[ ! -s "$work/err" ] || fail "messages: $(cat "$work/err")"
tr -d ' \n' <"$work/out" >"$work/flat.json"
expect_count '"mac":' "$work/out" 4
for agent in 020a1b4d0101:vnt0 020a1b4d0102:vnt0 020a1b4e0101:vnt2 020a1b4e0102:vnt2; do
    mac=${agent%%:*}
    name=${agent#*:}
    grep -q "\"interface\":\"$name\",[^}]*\"mac\":\"$mac\"" "$work/flat.json" ||
        fail "agent $mac not on $name: $(cat "$work/out")"
done
# With agents on two interfaces the table names each one's.
run_cli plain discover --timeout 1500
expect_status 0
head -n 1 "$work/out" | grep -q 'Gateway  *Interface$' || fail "table: $(cat "$work/out")"
expect_count '^020a1b4e0101 .* vnt2$' "$work/out" 1

# The window lists the agents of both pairs; its menu restricts discovery to one.
run_console plain discoveryOnTwoInterfaces

# One interface, by name or by address: only the agents behind it answer.
# Fails unless the last discovery listed the two agents of prefix $1 alone.
expect_only() {
    expect_status 0
    expect_count '"mac": ' "$work/out" 2
    expect_count "\"ip\": \"$1\\." "$work/out" 2
}
run_cli plain --interface vnt2 discover --json --timeout 1500
expect_only 10.78
run_cli plain discover --json --timeout 1500 --interface 10.77.0.1
expect_only 10.77
run_cli plain --interface=vnt0 discover --json --timeout 1500
expect_only 10.77

# A bad interface: one line, exit 2, nothing sent.
for bad in eth9 10.99.0.1 lo; do
    run_cli plain --interface "$bad" discover
    expect_status 2
    [ "$(wc -l <"$work/err")" = 1 ] || fail "--interface $bad: $(cat "$work/err")"
    grep -q "^vantelo-cli: --interface '$bad' is no usable network interface" "$work/err" ||
        fail "--interface $bad: $(cat "$work/err")"
done

# A set of an agent behind the second pair: found, set and confirmed out of that pair only.
start_pair_capture a "$ns_a" first.capture
start_pair_capture b "$ns_b" second.capture
run_cli plain set 10.78.1.1 --system-name renamed --password admin
expect_status 0
expect_message "vantelo-cli: Information: Set Succesful"
grep -q '^set-applied 020a1b4e0101 10.78.1.1$' "$work/events-b" ||
    fail "the second simulator applied nothing: $(cat "$work/events-b")"

# An upgrade of the other agent behind the second pair.
head -c 3000 /dev/urandom >"$work/firmware.bin"
run_cli plain upgrade 10.78.1.2 --file "$work/firmware.bin" --password admin --timeout 5000
expect_status 0
stop_pair_captures
cmp -s "$work/firmware.bin" "$work/store-b/020a1b4e0102.bin" ||
    fail "the agent did not store the firmware: $(ls "$work/store-b")"

# Every request the set and the upgrade sent (the search, the set request, the trigger and the
# verification's discoveries) left through the second pair; none reached the first.
[ -s "$work/second.capture" ] || fail "nothing went out through the second pair"
[ ! -s "$work/first.capture" ] || fail "requests went out through the first pair: $(cat "$work/first.capture")"
# The ports held by another console: after each "Bind socket error", a line names the port and
# the process that holds it.
"$CLI" --cfg "$work/plain" watch --interval 15 >"$work/watch.out" 2>&1 &
watcher=$!
holders="$holders $watcher"
port_held() {
    ss -Hlun | grep -q ":5001 "
}
wait_until 5 port_held || fail "the watching console did not bind its ports: $(cat "$work/watch.out")"
run_cli plain discover
expect_status 5
expect_message "vantelo-cli: UDP port 5000 is in use by vantelo-cli (pid $watcher)"
expect_message "vantelo-cli: UDP port 5001 is in use by vantelo-cli (pid $watcher)"
kill "$watcher"
echo "PASS"
