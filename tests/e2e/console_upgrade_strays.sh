#!/bin/sh
# A firmware upgrade with a hostile host on the LAN: acknowledgements from another address keep
# no stalled transfer alive and never complete one, and get error 5; with every acknowledgement
# of the agent arriving twice (tftp_doubler), each data block is still sent once.
# Programs: those of console_common.sh, and DOUBLER (tftp_doubler).
: "${DOUBLER:?tftp_doubler}"
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"

make_config upgrade
head -c 65536 /dev/urandom >"$work/image.hex"
export VANTELO_E2E_FIRMWARE="$work/image.hex"
start_console_sim --agents 2 --restart-seconds 3 --quiet
# The agent abandons a stalled transfer after 10 s without a packet; only then takes another.
run_console upgrade strayAcknowledgementsKeepNoStallAlive
wait_for '^tftp-aborted 02000a4d000a timeout$' 1 15
run_console upgrade blindAcknowledgementsNeverComplete
wait_for '^tftp-aborted 02000a4d000a timeout$' 2 15
grep -q '^tftp-stored ' "$work/events" && fail "a stalled transfer was stored"

# The doubler says "ready" once it listens; the read ends at that line or when it ends.
mkfifo "$work/doubler-out"
"$DOUBLER" 60 "$work/doubled" >"$work/doubler-out" &
doubler_pid=$!
read -r ready <"$work/doubler-out" || true
[ "${ready:-}" = ready ] || fail "tftp_doubler did not start"
run_console upgrade upgradeRestartedAgent
kill "$doubler_pid"
wait "$doubler_pid" || fail "tftp_doubler ended with status $?"
cmp "$work/image.hex" "$work/store/02000a4d000a.bin" || fail "the stored image differs"
# 128 blocks of 512 bytes and the empty one after them.
read -r _ copies _ blocks _ repeated <"$work/doubled"
[ "$copies" -ge 129 ] || fail "only $copies acknowledgements were doubled"
[ "$blocks" -eq 129 ] || fail "$blocks distinct data blocks, expected 129"
[ "$repeated" -eq 0 ] || fail "$repeated data blocks were sent again"
stop_sim
echo ok
