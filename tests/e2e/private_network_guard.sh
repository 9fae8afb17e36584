# shellcheck shell=sh
# Sourced first by every script that sends real datagrams: it refuses to run outside the private
# network namespace of tools/testnet, where a broadcast would leave the machine.
if [ "${VANTELO_TESTNET_INSIDE:-}" != 1 ] || ! ip link show vnt0 >/dev/null 2>&1; then
    echo "refusing to run outside the private test network: start it through tools/testnet" >&2
    exit 1
fi
