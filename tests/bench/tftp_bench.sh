#!/bin/sh
# The transfer's speed: the console's TFTP client against Debian's tftp client, uploading the
# same 1 MiB and 8 MiB files to Debian's in.tftpd in the private network, runs alternating.
# Ours is timed from the write request to the final acknowledgement (without the fixed pause
# after it), the reference from its start to its end. Each run starts once the server has let go
# of the previous transfer's port. Prints medians and their ratio, unpinned
# and with clients and server on CPU 0. Arguments: tftp_send, runs per case (default 7).
set -eu
SEND=$1
RUNS=${2:-7}
work=$(mktemp -d)
VANTELO_E2E_DIR="$(dirname "$0")/../e2e"
# shellcheck source=../e2e/tftpd_server.sh
. "$VANTELO_E2E_DIR/tftpd_server.sh"

cleanup() {
    stop_tftpd
    rm -rf "$work"
}
trap cleanup EXIT

command -v tftp >/dev/null || { echo "tftp missing (tools/install-deps installs tftp-hpa)"; exit 1; }
mkdir -p "$work/root$work"
for size in 1 8; do
    head -c $((size * 1048576)) /dev/urandom >"$work/image$size.hex"
done

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

now_ms() {
    awk -v ns="$(date +%s%N)" 'BEGIN { printf "%.3f\n", ns / 1e6 }'
}

for mode in unpinned pinned; do
    pin=""
    cpu=""
    if [ "$mode" = pinned ]; then
        pin="taskset -c 0"
        cpu=0
    fi
    stop_tftpd
    start_tftpd "$cpu"
    for size in 1 8; do
        file="$work/image$size.hex"
        : >"$work/ours" && : >"$work/theirs"
        run=0
        while [ "$run" -lt "$RUNS" ]; do
            wait_transfer_port_free
            out=$($pin "$SEND" --to "$TFTPD_ADDRESS" --file "$file" --quit-at-final-ack)
            echo "$out" | awk '$1 == "complete" { print $2 }' >>"$work/ours"
            cmp -s "$file" "$work/root$file" || { echo "ours: copy differs"; exit 1; }
            rm -f "$work/root$file"
            wait_transfer_port_free
            start=$(now_ms)
            $pin tftp -m binary "$TFTPD_ADDRESS" -c put "$file" "$work/ref$size.hex"
            end=$(now_ms)
            awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", e - s }' >>"$work/theirs"
            cmp -s "$file" "$work/root$work/ref$size.hex" || { echo "tftp: copy differs"; exit 1; }
            rm -f "$work/root$work/ref$size.hex"
            run=$((run + 1))
        done
        ours=$(median <"$work/ours")
        theirs=$(median <"$work/theirs")
        awk -v m="$mode" -v s="$size" -v o="$ours" -v t="$theirs" -v n="$RUNS" 'BEGIN {
            printf "%s %d MiB: console %.1f ms, tftp-hpa %.1f ms, ratio %.2f (medians of %d)\n",
                m, s, o, t, o / t, n }'
    done
done
