#!/bin/sh
# watch --metrics and --syslog against the real peers: 16 monitored agents scraped every second
# by Prometheus and asked for over its HTTP API (16 agents up; a silenced one at 0 once it is
# declared not alive, at 1 again after its revival), a scrape that promtool accepts, and rsyslog
# receiving the RFC 5424 messages of a trap and of the not-alive agent with their structured
# data, over UDP and then over its own UNIX socket. A syslog server that is down, over either,
# changes nothing else: the events are printed and counted as before.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

prom_pid=""
rsyslog_pid=""
watch_pid=""
stop_peers() {
    for pid in "$watch_pid" "$prom_pid" "$rsyslog_pid"; do
        [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    done
}
trap 'stop_peers; cleanup' EXIT

metrics=127.0.0.1:9477
prometheus=127.0.0.1:9090

# 16 agents, 10.77.1.1 to 10.77.1.16, all in the monitor list.
make_config watched
awk 'BEGIN {
    for (n = 1; n <= 16; n++)
        printf "02:00:0a:4d:01:%02x|10.77.1.%d|255.255.0.0|10.77.0.1|10.77.0.1|VS-8|sw \"%d\"|rack|admin|disable|2|2|no\n", n, n, n
}' >"$work/agents"
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$work/agents" \
    -o "$work/watched/monitor.cfg" || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$work/agents"

# rsyslog with a configuration of its own: the RFC 5424 fields it parsed, one message a line.
mkdir "$work/rsyslog"
cat >"$work/rsyslog.conf" <<CONF
global(workDirectory="$work/rsyslog")
module(load="imudp")
template(name="fields" type="string"
         string="%app-name%|%msgid%|%structured-data%|%msg%|%hostname%\n")
ruleset(name="vantelo") {
    action(type="omfile" file="$work/syslog.received" template="fields")
}
input(type="imudp" address="127.0.0.1" port="5514" ruleset="vantelo")
CONF
rsyslogd -n -f "$work/rsyslog.conf" -i "$work/rsyslog.pid" >"$work/rsyslog.log" 2>&1 &
rsyslog_pid=$!

cat >"$work/prometheus.yml" <<CONF
global:
  scrape_interval: 1s
  scrape_timeout: 1s
scrape_configs:
  - job_name: vantelo
    static_configs:
      - targets: ["$metrics"]
CONF
prometheus --config.file="$work/prometheus.yml" --storage.tsdb.path="$work/prometheus" \
    --web.listen-address="$prometheus" --log.level=warn >"$work/prometheus.log" 2>&1 &
prom_pid=$!

"$CLI" --cfg "$work/watched" watch --json --metrics "$metrics" --syslog udp://127.0.0.1:5514 \
    >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!

# Prints the value of the PromQL query's single result, or nothing when it has none.
query() {
    curl -sf --max-time 2 "http://$prometheus/api/v1/query" --data-urlencode "query=$1" |
        python3 -c 'import json, sys
r = json.load(sys.stdin)["data"]["result"]
print(r[0]["value"][1] if len(r) == 1 else "")' 2>/dev/null || true
}

# Waits at most SECONDS until the query's value is VALUE.
wait_query() {
    deadline=$(($(date +%s) + $3))
    until [ "$(query "$1")" = "$2" ]; do
        [ "$(date +%s)" -lt "$deadline" ] ||
            fail "'$1' is '$(query "$1")', not $2; watch: $(cat "$work/watch.err")"
        kill -0 "$watch_pid" 2>/dev/null || fail "watch ended: $(cat "$work/watch.err")"
        sleep 0.5
    done
}

began=$(date +%s)
wait_query 'count(vantelo_agent_up == 1)' 16 20
wait_query 'count(vantelo_agent_last_reply_timestamp_seconds)' 16 5
wait_query 'vantelo_build_info' 1 5
curl -sf --max-time 2 "http://$metrics/metrics" >"$work/scrape" || fail "no scrape"
promtool check metrics <"$work/scrape" >"$work/promtool.out" 2>&1 ||
    fail "promtool check metrics: $(cat "$work/promtool.out")"
grep -q '^vantelo_agent_up{mac="02000a4d0105",ip="10.77.1.5",name="sw \\"5\\"",interface=""} 1$' \
    "$work/scrape" || fail "no up series of 10.77.1.5: $(cat "$work/scrape")"
curl -s --max-time 2 -o /dev/null -w '%{http_code}' "http://$metrics/other" >"$work/code"
[ "$(cat "$work/code")" = 404 ] || fail "/other answered $(cat "$work/code")"

control silence 10.77.1.5
control trap 10.77.1.1 'fan "1" failed'
silenced=$(date +%s)
wait_query 'vantelo_traps_received_total{ip="10.77.1.1"}' 1 5
wait_query 'vantelo_agent_up{ip="10.77.1.5"}' 0 45
echo "declared not alive after $(($(date +%s) - silenced)) s"
wait_query 'count(vantelo_agent_up == 1)' 15 2
[ -n "$(query 'vantelo_agent_missed_polls{ip="10.77.1.5"} >= 3')" ] ||
    fail "missed polls of 10.77.1.5: $(query 'vantelo_agent_missed_polls{ip="10.77.1.5"}')"
control revive 10.77.1.5
revived=$(date +%s)
wait_query 'vantelo_agent_up{ip="10.77.1.5"}' 1 20
echo "up again after $(($(date +%s) - revived)) s"
[ -n "$(query 'vantelo_poll_rounds_total >= 3')" ] ||
    fail "poll rounds: $(query 'vantelo_poll_rounds_total')"

deadline=$(($(date +%s) + 5))
until grep -q '|not-alive|' "$work/syslog.received" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "rsyslog got no not-alive message: $(cat "$work/rsyslog.log")"
    sleep 0.1
done
expect_count '^vantelo|trap|\[agent@32473 mac="02000a4d0101" ip="10.77.1.1"\]|10.77.1.1 Trap :fan "1" failed|' \
    "$work/syslog.received" 1
grep -q '^vantelo|not-alive|\[agent@32473 mac="02000a4d0105" ip="10.77.1.5"\]|10.77.1.5 Not alive|' \
    "$work/syslog.received" || fail "no not-alive message: $(cat "$work/syslog.received")"
[ ! -s "$work/watch.err" ] || fail "messages: $(cat "$work/watch.err")"
echo "metrics and syslog: $(($(date +%s) - began)) s"

# The syslog server goes away: the trap is printed and counted all the same.
kill "$rsyslog_pid"
wait "$rsyslog_pid" 2>/dev/null || true
rsyslog_pid=""
control trap 10.77.1.2 link down
wait_query 'vantelo_traps_received_total{ip="10.77.1.2"}' 1 5
grep -q '"ip":"10.77.1.2"[^}]*},"event":"trap","text":"link down"' "$work/watch.out" ||
    fail "the trap was not printed: $(cat "$work/watch.out")"
kill -TERM "$watch_pid"
status=0
wait "$watch_pid" || status=$?
watch_pid=""
[ "$status" = 0 ] || fail "watch ended with $status"

# Over a UNIX datagram socket: rsyslog's own socket gets the messages; once it is gone, the
# watch goes on as before.
cat >"$work/rsyslog-unix.conf" <<CONF
global(workDirectory="$work/rsyslog")
module(load="imuxsock" SysSock.Use="off")
template(name="fields" type="string"
         string="%app-name%|%msgid%|%structured-data%|%msg%|%hostname%\n")
ruleset(name="vantelo") {
    action(type="omfile" file="$work/syslog.unix" template="fields")
}
input(type="imuxsock" Socket="$work/log.sock" UseSpecialParser="off" ParseHostname="on"
      Ruleset="vantelo")
CONF
rsyslogd -n -f "$work/rsyslog-unix.conf" -i "$work/rsyslog.pid" >"$work/rsyslog.log" 2>&1 &
rsyslog_pid=$!
deadline=$(($(date +%s) + 5))
until [ -S "$work/log.sock" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "rsyslog made no socket: $(cat "$work/rsyslog.log")"
    sleep 0.1
done
"$CLI" --cfg "$work/watched" watch --metrics "$metrics" --syslog "unix:$work/log.sock" \
    >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!
wait_query 'count(vantelo_agent_up == 1)' 16 20
control trap 10.77.1.3 power supply
deadline=$(($(date +%s) + 5))
until grep -q '^vantelo|trap|' "$work/syslog.unix" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "rsyslog got nothing on its socket: $(cat "$work/rsyslog.log")"
    sleep 0.1
done
expect_count '^vantelo|trap|\[agent@32473 mac="02000a4d0103" ip="10.77.1.3"\]|10.77.1.3 Trap :power supply|' \
    "$work/syslog.unix" 1
kill "$rsyslog_pid"
wait "$rsyslog_pid" 2>/dev/null || true
rsyslog_pid=""
control trap 10.77.1.4 fan
deadline=$(($(date +%s) + 5))
until grep -q 'trap 10.77.1.4 fan$' "$work/watch.out"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "no trap line: $(cat "$work/watch.out")"
    sleep 0.1
done
curl -sf --max-time 2 "http://$metrics/metrics" >"$work/scrape" || fail "no scrape"
grep -q '^vantelo_traps_received_total{mac="02000a4d0104",ip="10.77.1.4",.*} 1$' "$work/scrape" ||
    fail "the trap was not counted: $(cat "$work/scrape")"
kill -TERM "$watch_pid"
status=0
wait "$watch_pid" || status=$?
watch_pid=""
[ "$status" = 0 ] || fail "watch ended with $status"
[ ! -s "$work/watch.err" ] || fail "messages: $(cat "$work/watch.err")"
stop_sim
echo "ok in $(($(date +%s) - began)) s"
