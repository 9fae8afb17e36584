#!/bin/sh
# Discovery answered by every agent from its own address, polls, the kinds of agents an agent file
# describes, and the web page.
# shellcheck source=agentsim_common.sh
. "$(dirname "$0")/agentsim_common.sh"

start_sim --agents 40
probe --expect 40 discover >"$work/replies" || fail "fewer than 40 replies: $(cat "$work/replies")"
expect_count ' op=2 result=0 ' "$work/replies" 40
expect_count 'version=2.001.002' "$work/replies" 40
[ "$(sed 's/.*from=\([0-9.]*\):5002 .* ip=\([0-9.]*\) .*/\1 \2/' "$work/replies" |
    awk '$1 == $2' | sort -u | wc -l)" = 40 ] || fail "replies not from their own addresses"
grep -q 'from=10.77.0.49:5002 mac=02000a4d0031 .* name="agent-40"' "$work/replies" ||
    fail "last agent: $(cat "$work/replies")"
wait_for '^discovery-reply ' 40

probe poll 10.77.0.15 >"$work/poll" || fail "no poll reply"
grep -q 'op=6 result=0 from=10.77.0.15:5002 .* ip=10.77.0.15 ' "$work/poll" || fail "$(cat "$work/poll")"

curl -s -m 5 http://10.77.0.12/ >"$work/page" || fail "no web page"
grep -q '<td>agent-3</td>' "$work/page" || fail "page: $(cat "$work/page")"
grep -q '<td>02000a4d000c</td>' "$work/page" || fail "page: $(cat "$work/page")"
wait_for '^http 10.77.0.12 200 /$'
stop_sim

cat >"$work/agents" <<'AGENTS'
# mac|ip|mask|gateway|trap|product|system|location|password|dhcp|protocol|interface|loader
02:0a:1b:2c:3d:01|10.77.5.1|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|loader one||pw|disable|2|2|yes
02:0a:1b:2c:3d:02|10.77.5.2|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|old one||pw|disable|1|2|no
02:0a:1b:2c:3d:03|10.77.5.3|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|narrow dhcp|lab|pw|enable|2|1|no
02:0a:1b:2c:3d:04|10.77.5.4|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|no dhcp|lab|pw|none|2|2|no
AGENTS
start_sim --agent-file "$work/agents"
probe --expect 4 discover >"$work/replies" || fail "fewer than 4 replies: $(cat "$work/replies")"
grep -q 'op=12 result=0 from=10.77.5.1:5002 mac=020a1b2c3d01 .* size=40 ' "$work/replies" ||
    fail "loader mode: $(cat "$work/replies")"
grep -q 'op=2 .* mac=020a1b2c3d02 .* version=1.001.002 ' "$work/replies" ||
    fail "protocol version 1: $(cat "$work/replies")"
grep -q 'mac=020a1b2c3d03 .* version=2.001.001 .* dhcp=1 ' "$work/replies" ||
    fail "interface 1 with DHCP: $(cat "$work/replies")"
grep -q 'mac=020a1b2c3d04 .* dhcp=2 ' "$work/replies" || fail "DHCP not reported: $(cat "$work/replies")"
stop_sim
echo ok
