# shellcheck shell=sh
# Sourced by the scripts that run Debian's in.tftpd in the private network: the server on
# $TFTPD_ADDRESS, port 69, with its one transfer port pinned, and an nftables rule of this
# namespace that moves data packets (opcode 3) for port 69 of that address to the transfer port.
# Agents take every data packet on port 69, and the console's client sends them there; a
# standard server expects them on its transfer port. The rule runs before connection tracking,
# so each data packet is moved, not only a flow's first one.
# The caller sets $work (a directory of its own) and calls stop_tftpd on exit.
set -eu
# shellcheck source=private_network_guard.sh
. "${VANTELO_E2E_DIR:-$(dirname "$0")}/private_network_guard.sh"
TFTPD_ADDRESS=10.77.3.1
TFTPD_TRANSFER_PORT=50000
tftpd_pid=""
: "${work:?the caller sets work}"

# Starts the server; a write request's full path lands under $work/root. Runs it on the CPUs
# given as the first argument (taskset's list), else anywhere.
start_tftpd() {
    command -v in.tftpd >/dev/null || { echo "in.tftpd missing (tools/install-deps)"; exit 1; }
    command -v nft >/dev/null || { echo "nft missing (tools/install-deps)"; exit 1; }
    nft -f - <<RULES
table ip vantelo_tftp {
    chain output {
        type filter hook output priority raw; policy accept;
        ip daddr $TFTPD_ADDRESS udp dport 69 @th,64,16 3 udp dport set $TFTPD_TRANSFER_PORT
    }
}
RULES
    mkdir -p "$work/root"
    pin=""
    [ -z "${1:-}" ] || pin="taskset -c $1"
    $pin in.tftpd -L -s "$work/root" -c -p -u root -a "$TFTPD_ADDRESS:69" \
        -R "$TFTPD_TRANSFER_PORT:$TFTPD_TRANSFER_PORT" &
    tftpd_pid=$!
    sleep 0.3
}

# The server keeps a finished transfer's port a few seconds for a repeated final block; a new
# transfer can start only once the port is free. Waits at most ten seconds.
wait_transfer_port_free() {
    tries=0
    while [ -n "$(ss -Hun state all "sport = :$TFTPD_TRANSFER_PORT")" ] && [ "$tries" -lt 200 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
}

stop_tftpd() {
    [ -z "$tftpd_pid" ] || kill "$tftpd_pid" 2>/dev/null || true
    tftpd_pid=""
    nft delete table ip vantelo_tftp 2>/dev/null || true
}
