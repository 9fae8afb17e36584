#!/bin/sh
# The console's TFTP client against a TFTP server nobody here wrote: Debian's in.tftpd on an
# agent's address in the private network receives a 1 MiB file intact. Argument: tftp_send.
set -eu
SEND=$1
work=$(mktemp -d)
# shellcheck source=tftpd_server.sh
. "$(dirname "$0")/tftpd_server.sh"

cleanup() {
    stop_tftpd
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# The write request names the file by its full path; the server's root mirrors it.
mkdir -p "$work/root$work/firmware" "$work/firmware"
head -c 1048576 /dev/urandom >"$work/firmware/image.hex"
start_tftpd ""

result=$(timeout 60 "$SEND" --to "$TFTPD_ADDRESS" --file "$work/firmware/image.hex") ||
    fail "the transfer did not complete: $result"
case $result in
complete*) ;;
*) fail "unexpected result: $result" ;;
esac
cmp "$work/firmware/image.hex" "$work/root$work/firmware/image.hex" ||
    fail "the server's copy differs"
echo "ok ($result)"
