#!/bin/sh
# Runs in the machine's own network namespace, with VANTELO_TESTNET_INSIDE=1 exported (a variable
# that once told tools/testnet and the guard they were inside): the guard still refuses, and
# tools/testnet still makes a namespace of its own, in which the guard passes, and adds nothing to
# the machine's. Its last stage, called here directly, refuses and changes nothing.
#   sh testnet_identity.sh TESTNET GUARD
set -eu
TESTNET=$1
GUARD=$2
export VANTELO_TESTNET_INSIDE=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# What tools/testnet adds to the namespace it configures: the veth pair and the console's address.
testnet_traces() {
    ip -o link show | grep -E '^[0-9]+: vnt[01][@:]' || true
    ip -o addr show | grep -F ' 10.77.0.1/' || true
}

own=$(stat -L -c %i /proc/self/ns/net)
[ -z "$(testnet_traces)" ] || fail "the machine's own namespace has them already: $(testnet_traces)"

status=0
# shellcheck source=private_network_guard.sh
(. "$GUARD" && echo passed) >"$work/guard.out" 2>"$work/guard.err" || status=$?
if [ "$status" != 1 ] || [ -s "$work/guard.out" ]; then
    fail "the guard did not refuse in the machine's own namespace: status $status," \
        "$(cat "$work/guard.out" "$work/guard.err")"
fi
grep -q '^refusing to run outside the private test network' "$work/guard.err" ||
    fail "no refusal message: $(cat "$work/guard.err")"

# shellcheck disable=SC2016 # expanded by the shell inside
"$TESTNET" sh -c 'stat -L -c %i /proc/self/ns/net; ip -o link show vnt0 >/dev/null && echo vnt0
    . "$1" && echo passed' sh "$GUARD" >"$work/inside" 2>&1 ||
    fail "tools/testnet: $(cat "$work/inside")"
inner=$(sed -n 1p "$work/inside")
if [ -z "$inner" ] || [ "$inner" = "$own" ]; then
    fail "the command ran in the machine's own namespace"
fi
[ "$(sed -n '2,$p' "$work/inside")" = "vnt0
passed" ] || fail "inside the private network: $(cat "$work/inside")"

status=0
"$TESTNET" --net-stage 1 1 -- true 2>"$work/stage.err" || status=$?
[ "$status" = 1 ] || fail "the last stage ran in the machine's own namespace: status $status"
grep -q 'nothing was configured' "$work/stage.err" || fail "$(cat "$work/stage.err")"

[ -z "$(testnet_traces)" ] || fail "the machine's own namespace was configured: $(testnet_traces)"
echo ok
