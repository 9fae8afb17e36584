# shellcheck shell=sh
# Sourced first by every script that sends real datagrams: it refuses to run outside the private
# network namespace of tools/testnet, where a broadcast would leave the machine. It goes by what
# the namespace is, never by the environment:
#   - its only interfaces are lo, vnt0 and vnt1, the ones tools/testnet makes;
#   - it is not PID 1's namespace. In the machine's own namespace PID 1 is init; inside
#     tools/testnet, PID 1 of the private PID namespace (whose /proc this is) stays in the
#     namespace that tools/testnet started from.
# A namespace that cannot be read is refused too.
guard_interfaces=$(sed -n 's/^ *\([^:]*\):.*/\1/p' /proc/self/net/dev 2>/dev/null | LC_ALL=C sort |
    tr '\n' ' ' || true)
guard_own=$(stat -L -c %i /proc/self/ns/net 2>/dev/null || true)
guard_first=$(stat -L -c %i /proc/1/ns/net 2>/dev/null || true)
if [ "$guard_interfaces" != "lo vnt0 vnt1 " ] || [ -z "$guard_own" ] || [ -z "$guard_first" ] ||
    [ "$guard_own" = "$guard_first" ]; then
    echo "refusing to run outside the private test network: start it through tools/testnet" \
        "(interfaces: ${guard_interfaces:-unreadable}; network namespace '$guard_own'," \
        "PID 1's '$guard_first')" >&2
    exit 1
fi
unset guard_interfaces guard_own guard_first
