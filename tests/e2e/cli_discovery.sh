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
    '{"mac":"020a1b000007","loaderMode":true,"protocolVersion":2,"interfaceVersion":2,"monitored":false,"alive":true,"interface":"vnt0",'"$unreported"'}'
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

# monitor add asks the agent once and stores its answer; an agent in loader mode, one of
# protocol version 1 and a silent address are added with null for what they did not report.
make_config added
for ip in 10.77.1.3 10.77.2.7 10.77.2.8; do
    run_cli added monitor add "$ip"
    expect_status 0
done
run_cli added monitor add 10.77.9.99 --timeout 500
expect_status 0
expect_message "vantelo-cli: no answer from 10.77.9.99 within 500 ms: added by its address"
run_cli added monitor list --json
validate_json agents "$work/out"
cp "$work/out" "$work/added.json"
expect_agent "$work/added.json" 10.77.1.3 \
    '{"mac":"020a1b000003","productName":"VS-48 Managed Gigabit Switch, 4 SFP port","loaderMode":false,"protocolVersion":2,"monitored":true}'
expect_agent "$work/added.json" 10.77.2.7 \
    '{"mac":"020a1b000007","loaderMode":true,"protocolVersion":2,"monitored":true,'"$unreported"'}'
expect_agent "$work/added.json" 10.77.2.8 \
    '{"mac":"020a1b000008","loaderMode":false,"protocolVersion":1,"monitored":true,'"$unreported"'}'
expect_agent "$work/added.json" 10.77.9.99 \
    '{"mac":null,"version":null,"loaderMode":null,"protocolVersion":null,"interfaceVersion":null,"monitored":true,"interface":null,"lastSeen":null,'"$unreported"'}'
# Discovered now, the monitored agents answer into their rows: still one schema.
run_cli added discover --json --timeout 1000
validate_json agents "$work/out"
expect_agent "$work/out" 10.77.2.7 '{"monitored":true,"loaderMode":true,'"$unreported"'}'
stop_sim
echo ok
