#!/bin/sh
# Discovery from the command line: the JSON lists every agent with the texts of the window's
# discovery list (the console driver compares them with its own discovery), loader mode and the
# versions, valid against the tool's schema, null for what an agent did not report; the table has the list's column titles; a monitored agent that answers is listed
# once, marked as monitored.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config plain
make_config watched
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/watched/monitor.cfg" \
    10.77.1.1 || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$agents"

run_cli plain discover --json --timeout 1500
expect_status 0
[ ! -s "$work/err" ] || fail "messages: $(cat "$work/err")"
cp "$work/out" "$work/discovered.json"
VANTELO_E2E_CLI_JSON="$work/discovered.json" run_console plain discoveryMatchesCli
expect_count '"mac": ' "$work/discovered.json" 8
validate_json agents "$work/discovered.json"
# The loader-mode agent and the one of protocol version 1 report only their MAC, address and
# versions: what they did not report is null.
unreported='"productName":null,"systemName":null,"dhcp":null,"location":null,"trapIp":null,"subnetMask":null,"gateway":null'
expect_agent "$work/discovered.json" 10.77.2.7 \
    '{"mac":"020a1b000007","loaderMode":true,"protocolVersion":2,"interfaceVersion":2,"monitored":false,"alive":true,"interface":null,'"$unreported"'}'
expect_agent "$work/discovered.json" 10.77.2.8 \
    '{"mac":"020a1b000008","loaderMode":false,"protocolVersion":1,"interfaceVersion":2,'"$unreported"'}'
expect_agent "$work/discovered.json" 10.77.1.4 \
    '{"mac":"020a1b000004","loaderMode":false,"protocolVersion":2,"interfaceVersion":1,"productName":"VS-5","systemName":"narrow on","location":"lab","trapIp":"10.77.0.1","subnetMask":"255.255.0.0","version":"2.001.001"}'
# Every agent answered during the run: its lastSeen is a time of it, with its offset.
[ "$(grep -c '"lastSeen": "[0-9-]*T[0-9:]*[+-Z]' "$work/discovered.json")" = 8 ] ||
    fail "lastSeen: $(cat "$work/discovered.json")"

run_cli watched discover
expect_status 0
head -n 1 "$work/out" | grep -q '^MAC Address  *IP Address  *Protocol Version  *Product Name  *System Name  *DHCP  *Location  *Trap IP  *Subnet Mask  *Gateway$' ||
    fail "table titles: $(head -n 1 "$work/out")"
expect_count '^020a1b' "$work/out" 8
expect_count '^020a1b000001  *10\.77\.1\.1  *2\.001\.002  *VS-8  *core-1  *enable  *hall A ' "$work/out" 1
run_cli watched discover --json
grep -c '"monitored": true' "$work/out" | grep -qx 1 || fail "monitored: $(cat "$work/out")"
validate_json agents "$work/out"
stop_sim
echo ok
