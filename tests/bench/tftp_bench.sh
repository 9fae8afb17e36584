#!/bin/sh
# The transfer's speed: the console's TFTP client against Debian's tftp client, uploading the
# same 64 KiB, 1 MiB and 8 MiB files to Debian's in.tftpd in the private network, runs alternating.
# Ours is timed from the write request to the final acknowledgement (without the fixed pause
# after it), the reference from its start to its end. Each run starts once the server has let go
# of the previous transfer's port. Prints medians and their ratio, unpinned
# and with clients and server on CPU 0, and for bench/collect.sh a line "row MODE KIB" followed
# by median, min and max of ours and of the reference and the ratio of the medians. Arguments:
# tftp_send, runs per case (default 7).
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
for size in 64 1024 8192; do
    head -c $((size * 1024)) /dev/urandom >"$work/image$size.hex"
done

# Median, min and max of the numbers read, one a line.
stats() {
    sort -n | awk '{ v[NR] = $1 } END {
        printf "%.1f %.1f %.1f\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'
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
    for size in 64 1024 8192; do
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
        ours=$(stats <"$work/ours")
        theirs=$(stats <"$work/theirs")
        # shellcheck disable=SC2086 # three numbers each
        set -- $ours $theirs
        awk -v m="$mode" -v s="$size" -v o="$1" -v t="$4" -v n="$RUNS" 'BEGIN {
            printf "%s %d KiB: console %.1f ms, tftp-hpa %.1f ms, ratio %.2f (medians of %d)\n",
                m, s, o, t, o / t, n }'
        awk -v m="$mode" -v s="$size" -v o="$ours" -v t="$theirs" -v a="$1" -v b="$4" 'BEGIN {
            printf "row %s %d %s %s %.2f\n", m, s, o, t, a / b }'
    done
done
