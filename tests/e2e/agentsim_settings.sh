#!/bin/sh
# Set requests applied and refused, a new password, and traps on command and on schedule.
# shellcheck source=agentsim_common.sh
. "$(dirname "$0")/agentsim_common.sh"

start_sim --agents 3 --trap-every 1 --password admin
# A plain socket at the trap port stands in for the console; traps come every second.
probe --expect 3 --timeout-ms 3000 listen >"$work/traps" || fail "no scheduled traps"
grep -q 'op=9 result=0 from=10.77.0.1[0-2]:5002 .* agent=10.77.0.1[0-2] text="Port 1 link down"' \
    "$work/traps" || fail "traps: $(cat "$work/traps")"
stop_sim

start_sim --agents 3
probe set 10.77.0.11 02000a4d000b wrong seq=4 name=core >"$work/refused" || fail "no answer"
grep -q 'op=8 result=2 from=10.77.0.11:5002 .* seq=4 .* size=40 ' "$work/refused" ||
    fail "wrong password: $(cat "$work/refused")"
wait_for '^refused 10.77.0.11 set password$'

probe set 10.77.0.11 02000a4d000b admin seq=5 name=core location=lab ip=10.77.2.2 \
    mask=255.255.0.0 gateway=10.77.0.1 trap-ip=10.77.0.1 new-password=s3cret dhcp=1 \
    >"$work/applied" || fail "no answer to the set"
grep -q 'op=8 result=0 from=10.77.2.2:5002 mac=02000a4d000b seq=5 .* ip=10.77.2.2 .* dhcp=1 .* name="core" location="lab"' \
    "$work/applied" || fail "applied: $(cat "$work/applied")"
wait_for '^set-applied 02000a4d000b 10.77.2.2$'

probe --expect 3 discover >"$work/replies" || fail "discovery after the move"
grep -q 'from=10.77.2.2:5002 mac=02000a4d000b .* name="core"' "$work/replies" ||
    fail "moved agent: $(cat "$work/replies")"
probe --expect 0 --timeout-ms 300 poll 10.77.0.11 >"$work/old" || true
expect_count 'op=' "$work/old" 0

probe set broadcast 02000a4d000b admin seq=6 location=roof >"$work/old-password" || fail "no answer"
grep -q 'op=4 result=2 ' "$work/old-password" || fail "old password: $(cat "$work/old-password")"
probe --expect 1 --timeout-ms 1000 set broadcast 02000a4d000b s3cret seq=7 location=roof \
    >"$work/broadcast" || fail "no answer to the broadcast set"
expect_count 'op=4 result=0 from=10.77.2.2:5002 .* seq=7 .* location="roof"' "$work/broadcast" 1

probe_background "$work/trap" --expect 1 listen
control trap 10.77.0.12 Port 3 link up
wait "$probe_pid" || fail "no trap on command"
grep -q 'op=9 .* from=10.77.0.12:5002 .* agent=10.77.0.12 text="Port 3 link up"' "$work/trap" ||
    fail "trap: $(cat "$work/trap")"
wait_for '^trap-sent 10.77.0.12 10.77.0.1 Port 3 link up$'
stop_sim
echo ok
