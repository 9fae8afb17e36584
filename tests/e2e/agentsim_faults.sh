#!/bin/sh
# The faults a test can ask for: loss, a delay, silence and revival, a TFTP error at a block, a
# TFTP stall, an agent that never comes back, a wrong device type.
# shellcheck source=agentsim_common.sh
. "$(dirname "$0")/agentsim_common.sh"

head -c 5000 /dev/urandom >"$work/image.bin"
# tftp-hpa with short timeouts, so that a stalled transfer fails within seconds.
upload() {
    printf 'mode octet\nrexmt 1\ntimeout 3\nput image.bin fw.bin\nquit\n' |
        (cd "$work" && timeout 20 tftp "$1") >"$work/tftp.out" 2>&1 || true
}

start_sim --agents 10 --restart-seconds 1 --loss 50 --seed 7
i=0
while [ $i -lt 10 ]; do
    probe --expect 10 --timeout-ms 200 discover >>"$work/lossy" || true
    i=$((i + 1))
done
replies=$(count 'op=2' "$work/lossy")
if [ "$replies" -eq 0 ] || [ "$replies" -ge 100 ]; then
    fail "$replies of 100 replies with 50% loss"
fi
control loss 100
wait_for '^ok loss 100$'
probe --expect 0 --timeout-ms 300 discover >"$work/lost" || true
expect_count 'op=' "$work/lost" 0
control loss 0
wait_for '^ok loss 0$'
probe --expect 10 discover >"$work/whole" || fail "replies after the loss ended"

control delay 10.77.0.13 2000
wait_for '^ok delay 10.77.0.13 2000$'
probe --expect 0 --timeout-ms 200 poll 10.77.0.13 >"$work/early" || true
expect_count 'op=' "$work/early" 0
probe --timeout-ms 5000 poll 10.77.0.13 >"$work/late" || fail "no delayed reply"
control clear 10.77.0.13

control silence 10.77.0.14
wait_for '^ok silence 10.77.0.14$'
probe --expect 10 --timeout-ms 500 discover >"$work/silenced" || true
expect_count 'op=2 ' "$work/silenced" 9
expect_count 'from=10.77.0.14:' "$work/silenced" 0
control revive 10.77.0.14
wait_for '^ok revive 10.77.0.14$'
probe poll 10.77.0.14 >/dev/null || fail "no answer after revival"

control set 10.77.0.15 device-type 0A0B0C0D
wait_for '^ok set 10.77.0.15 device-type$'
probe poll 10.77.0.15 >"$work/type" || fail "no answer with the wrong device type"
grep -q 'type=0a0b0c0d ' "$work/type" || fail "device type: $(cat "$work/type")"

control tftp-error 10.77.0.10 2 flash write failed
wait_for '^ok tftp-error 10.77.0.10 2$'
probe trigger 10.77.0.10 02000a4d000a admin >/dev/null || fail "no trigger reply"
upload 10.77.0.10
grep -q 'flash write failed' "$work/tftp.out" || fail "error packet: $(cat "$work/tftp.out")"
wait_for '^tftp-error-sent 02000a4d000a 2$'

control tftp-stall 10.77.0.11 3
wait_for '^ok tftp-stall 10.77.0.11 3$'
probe trigger 10.77.0.11 02000a4d000b admin >/dev/null || fail "no trigger reply"
upload 10.77.0.11
wait_for '^tftp-stalled 02000a4d000b 3$'
grep -qi 'timed out' "$work/tftp.out" || fail "stalled transfer: $(cat "$work/tftp.out")"
[ ! -e "$work/store/02000a4d000b.bin" ] || fail "a stalled transfer was stored"

control no-return 10.77.0.12
wait_for '^ok no-return 10.77.0.12$'
probe trigger 10.77.0.12 02000a4d000c admin >/dev/null || fail "no trigger reply"
upload 10.77.0.12
wait_for '^restarting 02000a4d000c 10.77.0.12 never$'
sleep 1.5
probe --expect 0 --timeout-ms 300 poll 10.77.0.12 >"$work/gone" || true
expect_count 'op=' "$work/gone" 0
control list
wait_for '^agent 10.77.0.12 02000a4d000c down normal$'
control revive 10.77.0.12
wait_for '^ok revive 10.77.0.12$'
probe poll 10.77.0.12 >/dev/null || fail "no answer after reviving a dead agent"
stop_sim
echo ok
