#!/bin/sh
# Several targets in one command: an upgrade of the three agents of the monitor list, of which
# one refuses the password, upgrades the other two one after the other (each verified), reports
# the refusal and exits 1; --stop-on-failure leaves the rest untried after the first failure;
# set takes the targets by name. Each target's outcome is a JSON object of the tool's schema,
# then the summary. The firmware is small: the verification's wait after the restart is most of
# the time.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

cat >"$work/bulk-agents" <<'AGENTS'
02:0a:1b:00:05:01|10.77.0.21|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|bulk-1|lab|admin|disable|2|2|no
02:0a:1b:00:05:02|10.77.0.22|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|bulk-2|lab|other|disable|2|2|no
02:0a:1b:00:05:03|10.77.0.23|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|bulk-3|lab|admin|disable|2|2|no
AGENTS
make_config bulk
for ip in 10.77.0.21 10.77.0.22 10.77.0.23; do
    run_cli bulk monitor add --no-wait "$ip"
    expect_status 0
done
head -c 65536 /dev/urandom >"$work/image.hex"
printf 'admin\n' >"$work/admin"
start_console_sim --agent-file "$work/bulk-agents" --restart-seconds 1 --quiet

run_cli bulk upgrade --monitored --file "$work/image.hex" --password-file "$work/admin" --json -q
expect_status 1
validate_json targetLine "$work/out"
expect_count '^{"exitCode":0,"result":"done","target":"10.77.0.21"}$' "$work/out" 1
expect_count '^{"exitCode":1,"result":"the agent refused","target":"10.77.0.22"}$' "$work/out" 1
expect_count '^{"exitCode":0,"result":"done","target":"10.77.0.23"}$' "$work/out" 1
expect_count '^{"summary":{"done":2,"exitCode":1,"failed":1,"notTried":0,"targets":3}}$' \
    "$work/out" 1
expect_message "vantelo-cli: Error: Device return : password error"
wait_for '^tftp-stored 020a1b000501 65536$' 1
wait_for '^tftp-stored 020a1b000503 65536$' 1
expect_count '^tftp-stored 020a1b000502 ' "$work/events" 0
cmp "$work/image.hex" "$work/store/020a1b000503.bin" || fail "the third image differs"

# The refusing agent first, then stop: the others are not tried.
make_config plain
run_cli plain set 10.77.0.22 10.77.0.21 --location moved --password admin --stop-on-failure
expect_status 1
expect_count '^10.77.0.22: the agent refused (exit code 1)$' "$work/out" 1
expect_count '^10.77.0.21: not tried$' "$work/out" 1
expect_count '^2 targets: 0 done, 1 failed, 1 not tried$' "$work/out" 1
# Without it the failure does not stop the rest; the exit code is the largest of them.
run_cli plain set 10.77.0.22 10.77.9.9 10.77.0.21 --location moved --password admin --timeout 700
expect_status 3
expect_count '^10.77.9.9: no answer in time (exit code 3)$' "$work/out" 1
expect_count '^10.77.0.21: done (exit code 0)$' "$work/out" 1
expect_count '^3 targets: 1 done, 2 failed, 0 not tried$' "$work/out" 1
stop_sim
echo ok
