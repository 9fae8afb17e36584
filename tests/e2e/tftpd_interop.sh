#!/bin/sh
# The console's TFTP client against a TFTP server nobody here wrote: Debian's in.tftpd on an
# agent's address in the private network receives a 1 MiB file intact. Agents take every data
# packet on port 69, and the client sends them there; a standard server expects them on its
# transfer port, so an nftables rule of this namespace moves data packets (opcode 3) for port 69
# of that address to the server's one pinned transfer port. Argument: tftp_send.
set -eu
# shellcheck source=private_network_guard.sh
. "$(dirname "$0")/private_network_guard.sh"
SEND=$1
SERVER=10.77.3.1
TRANSFER_PORT=50000
work=$(mktemp -d)
tftpd_pid=""

cleanup() {
    [ -z "$tftpd_pid" ] || kill "$tftpd_pid" 2>/dev/null || true
    nft delete table ip vantelo_tftp 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

command -v in.tftpd >/dev/null || fail "in.tftpd missing (tools/install-deps installs tftpd-hpa)"
command -v nft >/dev/null || fail "nft missing (tools/install-deps installs nftables)"

# Before connection tracking, so that each data packet is moved, not only a flow's first one.
nft -f - <<RULES
table ip vantelo_tftp {
    chain output {
        type filter hook output priority raw; policy accept;
        ip daddr $SERVER udp dport 69 @th,64,16 3 udp dport set $TRANSFER_PORT
    }
}
RULES

# The write request names the file by its full path; the server's root mirrors it.
mkdir -p "$work/root$work/firmware" "$work/firmware"
head -c 1048576 /dev/urandom >"$work/firmware/image.hex"
in.tftpd -L -s "$work/root" -c -p -u root -a "$SERVER:69" -R "$TRANSFER_PORT:$TRANSFER_PORT" &
tftpd_pid=$!
sleep 0.3

result=$(timeout 60 "$SEND" --to "$SERVER" --file "$work/firmware/image.hex") ||
    fail "the transfer did not complete: $result"
case $result in
complete*) ;;
*) fail "unexpected result: $result" ;;
esac
cmp "$work/firmware/image.hex" "$work/root$work/firmware/image.hex" ||
    fail "the server's copy differs"
echo "ok ($result)"
