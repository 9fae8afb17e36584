#!/bin/sh
# Firmware upgrade from the command line: a 1 MiB file goes over, the agent stores it byte for
# byte, restarts and is found again ("Upgrade successful", exit status 0), with the progress in
# plain lines on a standard error that is no terminal. A wrong password fails the trigger
# (exit status 1, the agent refused); a missing file is refused by the dialog's check before
# anything is sent (exit status 6). With the transfer's port held by another program the upgrade
# ends at once (exit status 5).
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config upgrade
head -c 1048576 /dev/urandom >"$work/image.hex"
start_console_sim --agents 2 --restart-seconds 3 --quiet

run_cli upgrade upgrade 02:00:0a:4d:00:0a --file "$work/image.hex" --password admin
expect_status 0
wait_for '^tftp-stored 02000a4d000a 1048576$' 1 5
cmp "$work/image.hex" "$work/store/02000a4d000a.bin" || fail "the stored image differs"
expect_message "vantelo-cli: information: Upgrade successful"
# By phase: the trigger, the transfer with its rate and time left, the verification's attempts.
expect_message "vantelo-cli: trigger sent, waiting for the agent"
expect_count '^vantelo-cli: upgrade 100% 1048576/1048576 bytes at [0-9]* KiB/s, 0 s left$' \
    "$work/err" 1
expect_count '^vantelo-cli: upgrade 50% 524288/1048576 bytes at [0-9]* KiB/s, [0-9]* s left$' \
    "$work/err" 1
expect_count '^vantelo-cli: upgrade [0-9]*% ' "$work/err" 11
expect_message "vantelo-cli: verifying: waiting for the agent to restart"
expect_message "vantelo-cli: verifying 1/110"

run_cli upgrade upgrade 10.77.0.11 --file "$work/image.hex" --password wrong -q
expect_status 1
# -q: no progress, the news and faults still.
expect_count '^vantelo-cli: \(trigger\|upgrade\|verifying\)' "$work/err" 0
expect_message "vantelo-cli: Error: Device return : password error"
expect_message "vantelo-cli: Upgrade State: Trigger fail"

run_cli upgrade upgrade 10.77.0.11 --file "$work/missing.hex" --password admin
expect_status 6
expect_message "vantelo-cli: Error: Firmware file not found"
sleep 0.3
expect_count '^trigger-accepted' "$work/events" 1
expect_count '^refused 10.77.0.11 trigger password$' "$work/events" 1

status=0
python3 -c 'import socket, subprocess, sys
held = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
held.bind(("0.0.0.0", 64517))
sys.exit(subprocess.call(sys.argv[1:]))' "$CLI" --cfg "$work/upgrade" upgrade 10.77.0.11 \
    --file "$work/image.hex" --password admin >"$work/out" 2>"$work/err" || status=$?
expect_status 5
expect_message "vantelo-cli: Error: Bind tftps socket error"
stop_sim
echo ok
