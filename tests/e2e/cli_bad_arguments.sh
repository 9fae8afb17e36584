#!/bin/sh
# Bad arguments: each gets one line on standard error and exit status 2, prints nothing on
# standard output, and sends nothing (the simulator's counters stay at zero).
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config bad
start_sim --agents 2
# arguments|the message after "vantelo-cli: "
cat >"$work/cases" <<'CASES'
|no command given; see vantelo-cli --help
frobnicate|unknown command 'frobnicate'; see vantelo-cli --help
discover --timeout 0|--timeout takes milliseconds from 1 to 600000, not '0'
discover --timeout 600001|--timeout takes milliseconds from 1 to 600000, not '600001'
discover --timeout 2s|--timeout takes milliseconds from 1 to 600000, not '2s'
discover --timeout|--timeout needs a value
discover --csv|--csv is not an option of discover
discover --json=yes|--json takes no value
discover 10.77.0.10|unexpected argument '10.77.0.10'
watch --interval 20|--interval takes 15, 30, 60, 120 or 300 seconds, not '20'
watch --password admin|--password is not an option of watch
set|set needs the agent's MAC or IP address
set 10.77.0.10|set needs --password-file FILE, VANTELO_PASSWORD or --password
set 10.77.0.300 --password admin|not a MAC address or an IPv4 address: '10.77.0.300'
set 02:00:0a:4d:00 --password admin|not a MAC address or an IPv4 address: '02:00:0a:4d:00'
set 02000a4d000a --ip 10.77.0 --password admin|--ip takes a dotted IPv4 address, not '10.77.0'
set 10.77.0.10 --mask 255.255.0.x --password admin|--mask takes a dotted IPv4 address, not '255.255.0.x'
set 10.77.0.10 --dhcp yes --password admin|--dhcp takes on or off, not 'yes'
set 10.77.0.10 --password admin --password admin|--password is given twice
set 10.77.0.10 10.77.0.11 --ip 10.77.0.12 --password admin|--ip fits one agent only: name a single target
set 10.77.0.10 --monitored --password admin|--monitored and named agents exclude each other
set 10.77.0.10 --new-password x --password admin|--new-password is not an option of set
password 10.77.0.10 --password admin|password needs --new-password-file FILE, VANTELO_NEW_PASSWORD or --new-password
upgrade 10.77.0.10 --password admin|upgrade needs --file
upgrade 10.77.0.10 --file f.hex|upgrade needs --password-file FILE, VANTELO_PASSWORD or --password
monitor|monitor needs list, add, remove, import or export
monitor clear|unknown monitor command 'clear': use list, add, remove, import or export
monitor add|monitor add needs an IP address
monitor add host.example|not an IPv4 address: 'host.example'
monitor export|monitor export needs a file name
monitor list --json --csv|--json and --csv exclude each other
discover --cfg elsewhere|--cfg is given twice
--frob discover|unknown option --frob
CASES
while IFS='|' read -r arguments message; do
    # shellcheck disable=SC2086 # the arguments of a case are split at blanks on purpose
    run_cli bad $arguments
    expect_status 2
    [ "$(wc -l <"$work/err")" = 1 ] || fail "'$arguments': not one line: $(cat "$work/err")"
    expect_message "vantelo-cli: $message"
    [ ! -s "$work/out" ] || fail "'$arguments' printed: $(cat "$work/out")"
done <"$work/cases"
status=0
"$CLI" --cfg 2>"$work/err" || status=$?
expect_status 2
expect_message "vantelo-cli: --cfg needs a directory"
[ ! -e "$work/bad/monitor.cfg" ] || fail "a bad argument wrote monitor.cfg"

control stats
wait_for '^ok stats '
grep -q '^ok stats received 0 sent 0 ' "$work/events" || fail "something was sent"

# --help and --version are not errors.
run_cli bad --help
expect_status 0
grep -q '^Exit codes:' "$work/out" || fail "--help shows no exit codes"
run_cli bad --version
expect_status 0
grep -q '^vantelo-cli ' "$work/out" || fail "--version: $(cat "$work/out")"
stop_sim
echo ok
