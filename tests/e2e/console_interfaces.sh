#!/bin/sh
# The window with two interfaces (two_pairs.sh): a set and a firmware upgrade of agents behind
# the second pair succeed, and a capture behind each pair shows that every request to those
# agents left through the second pair; the first pair sees only the operator's discoveries.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
: "${CAPTURE:?udp_capture}"

# shellcheck source=two_pairs.sh
. "$(dirname "$0")/two_pairs.sh"
make_two_pairs

printf '%s\n' \
    '02:0a:1b:4d:01:01|10.77.1.1|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|first-1|hall A|admin|disable|2|2|no' \
    >"$work/agents-a"
printf '%s\n' \
    '02:0a:1b:4e:01:01|10.78.1.1|255.255.0.0|10.78.0.1|10.78.0.1|VS-24P|second-1|hall B|admin|disable|2|2|no' \
    '02:0a:1b:4e:01:02|10.78.1.2|255.255.0.0|10.78.0.1|10.78.0.1|VS-24P|second-2|hall B|admin|disable|2|2|no' \
    >"$work/agents-b"
start_ns_sim "$ns_a" a
start_ns_sim "$ns_b" b --restart-seconds 1

make_config window
head -c 3000 /dev/urandom >"$work/firmware.bin"
export VANTELO_E2E_FIRMWARE="$work/firmware.bin"
start_pair_capture a "$ns_a" first.capture
start_pair_capture b "$ns_b" second.capture
run_console window setOnSecondInterface upgradeOnSecondInterface
stop_pair_captures
grep -q '^set-applied 020a1b4e0101 10.78.1.1$' "$work/events-b" ||
    fail "the second simulator applied nothing: $(cat "$work/events-b")"
cmp -s "$work/firmware.bin" "$work/store-b/020a1b4e0102.bin" ||
    fail "the agent did not store the firmware: $(ls "$work/store-b")"

# The operation code and the MAC of each request a capture holds, a line each: "0003 020a1b4e0101".
requests() {
    awk '{ print substr($3, 25, 4), substr($3, 9, 12) }' "$work/$1"
}
# The set request (broadcast or unicast) and the upgrade trigger went through the second pair;
# nothing that names either agent reached the first.
requests second.capture | grep -Eq '^000[37] 020a1b4e0101$' ||
    fail "no set request through the second pair: $(requests second.capture)"
requests second.capture | grep -q '^000a 020a1b4e0102$' ||
    fail "no upgrade trigger through the second pair: $(requests second.capture)"
if requests first.capture | grep -q ' 020a1b4e010[12]$'; then
    fail "requests to the second pair's agents went through the first: $(requests first.capture)"
fi
echo "first pair: $(requests first.capture | sort | uniq -c | tr -s ' \n' ' ')"
echo "second pair: $(requests second.capture | sort | uniq -c | tr -s ' \n' ' ')"
echo ok
