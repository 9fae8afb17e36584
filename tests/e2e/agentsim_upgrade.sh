#!/bin/sh
# Firmware uploads by clients written elsewhere (tftp-hpa and atftp, octet mode) after an upgrade
# trigger: stored byte for byte, then the restart, after which the agent answers again, out of
# loader mode. Without a trigger the upload is refused.
# shellcheck source=agentsim_common.sh
. "$(dirname "$0")/agentsim_common.sh"

head -c 300000 /dev/urandom >"$work/image.bin"
head -c 1024 /dev/urandom >"$work/exact.bin"

start_sim --agents 3 --restart-seconds 3
control set 10.77.0.10 loader yes
wait_for '^ok set 10.77.0.10 loader$'

(cd "$work" && tftp -m binary 10.77.0.10 -c put image.bin fw.bin) >"$work/tftp.out" 2>&1 || true
grep -q 'upgrade not triggered' "$work/tftp.out" || fail "untriggered upload: $(cat "$work/tftp.out")"
wait_for '^tftp-refused 10.77.0.10 not-triggered$'
[ ! -e "$work/store/02000a4d000a.bin" ] || fail "stored without a trigger"

probe trigger 10.77.0.10 02000a4d000a admin seq=9 >"$work/trigger" || fail "no trigger reply"
grep -q 'op=11 result=0 from=10.77.0.10:5002 .* seq=9 ' "$work/trigger" ||
    fail "trigger: $(cat "$work/trigger")"
(cd "$work" && timeout 20 tftp -m binary 10.77.0.10 -c put image.bin fw.bin) >"$work/tftp.out" 2>&1 ||
    fail "tftp-hpa: $(cat "$work/tftp.out")"
wait_for '^tftp-stored 02000a4d000a 300000$'
cmp "$work/image.bin" "$work/store/02000a4d000a.bin" || fail "tftp-hpa image differs"
wait_for '^restarting 02000a4d000a 10.77.0.10 3$'
probe --expect 0 --timeout-ms 300 poll 10.77.0.10 >"$work/silent" || true
expect_count 'op=' "$work/silent" 0
wait_for '^restarted 02000a4d000a 10.77.0.10$' 1 8
probe poll 10.77.0.10 >"$work/back" || fail "no answer after the restart"
grep -q 'op=6 result=0 from=10.77.0.10:5002 ' "$work/back" || fail "after restart: $(cat "$work/back")"

probe trigger broadcast 02000a4d000b admin seq=10 >"$work/trigger" || fail "no trigger reply"
grep -q 'op=11 result=0 from=10.77.0.11:5002 ' "$work/trigger" || fail "$(cat "$work/trigger")"
timeout 20 atftp -p -l "$work/exact.bin" -r fw.bin 10.77.0.11 >"$work/atftp.out" 2>&1 ||
    fail "atftp: $(cat "$work/atftp.out")"
wait_for '^tftp-stored 02000a4d000b 1024$'
cmp "$work/exact.bin" "$work/store/02000a4d000b.bin" || fail "atftp image differs"
wait_for '^restarting 02000a4d000b 10.77.0.11 3$'
stop_sim
echo ok
