#!/bin/sh
# watch: with two monitored agents, one that falls silent is reported not alive once (and in
# syslog.log as the window writes it), a trap of the other is reported with its text, and the
# silent one is reported alive again when its trap comes in; SIGINT or SIGTERM ends the watch
# with status 0. With --json each event is an object of the tool's schema with the agent's whole
# object and an ISO 8601 time; without, a line of text in the log's time format.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config watched
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/watched/monitor.cfg" \
    10.77.1.1 10.77.1.2 || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$agents"
control silence 10.77.1.2
wait_for '^ok silence'

"$CLI" --cfg "$work/watched" watch --json >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!
# Polled at start-up and at 15 s, resent at 20 s and 25 s: declared not alive at 30 s.
watch_says() {
    kill -0 "$watch_pid" 2>/dev/null || fail "watch ended: $(cat "$work/watch.err")"
    grep -q "$1" "$work/watch.out"
}
wait_until 45 watch_says '"event":"not-alive"' ||
    fail "no not-alive event: $(cat "$work/watch.out")"
control trap 10.77.1.1 fan failure
control revive 10.77.1.2
control trap 10.77.1.2 back again
wait_until 5 grep -q '"event":"alive"' "$work/watch.out" ||
    fail "no alive event: $(cat "$work/watch.out")"
kill -INT "$watch_pid"
status=0
wait "$watch_pid" || status=$?
[ "$status" = 0 ] || fail "watch ended with $status: $(cat "$work/watch.err")"

# Each line an event of the tool's schema, its agent the monitored agent's whole object.
validate_json event "$work/watch.out"
python3 -c 'import json, sys
for line in sys.stdin:
    e = json.loads(line)
    a = e["agent"]
    print(e["event"], a["ip"], a["mac"], a["monitored"], a["alive"], e.get("text", "-"))' \
    <"$work/watch.out" >"$work/watch.events" || fail "unreadable: $(cat "$work/watch.out")"
expect_count '^not-alive 10\.77\.1\.2 020a1b000002 True False -$' "$work/watch.events" 1
expect_count '^trap 10\.77\.1\.1 020a1b000001 True True fan failure$' "$work/watch.events" 1
expect_count '^trap 10\.77\.1\.2 020a1b000002 True [TF][a-z]* back again$' "$work/watch.events" 1
expect_count '^alive 10\.77\.1\.2 020a1b000002 True True -$' "$work/watch.events" 1
expect_count . "$work/watch.events" 4
grep -q '"time":"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]T[0-9:]\{8\}[+-][0-9][0-9]:[0-9][0-9]"' \
    "$work/watch.out" || fail "no ISO 8601 time with its offset: $(cat "$work/watch.out")"
[ ! -s "$work/watch.err" ] || fail "messages: $(cat "$work/watch.err")"
log="$work/watched/syslog.log"
# A line at every liveness pass while it stays silent.
grep -q '^[0-9/]* [0-9:]* 10\.77\.1\.2 Not alive '"$(printf '\r')"'$' "$log" ||
    fail "no not-alive line in $(cat "$log")"
expect_count '^[0-9/]* [0-9:]* 10\.77\.1\.1 Trap :fan failure'"$(printf '\r')"'$' "$log" 1

# Without --json: one line of text an event.
polls=$(count '^poll-reply 10.77.1.1$' "$work/events")
"$CLI" --cfg "$work/watched" watch >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!
# Its start-up poll is answered once its sockets are open.
wait_for '^poll-reply 10.77.1.1$' $((polls + 1))
control trap 10.77.1.1 link 3 down
wait_until 5 grep -q 'trap' "$work/watch.out" || fail "no trap line: $(cat "$work/watch.out")"
kill -TERM "$watch_pid"
status=0
wait "$watch_pid" || status=$?
[ "$status" = 0 ] || fail "watch ended with $status on SIGTERM"
expect_count '^[0-9/]* [0-9:]* trap 10\.77\.1\.1 link 3 down$' "$work/watch.out" 1

# A trap text's bytes are Latin-1: each is the character of its code point in the JSON.
"$CLI" --cfg "$work/watched" watch --json >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!
wait_for '^poll-reply 10.77.1.1$' $((polls + 2))
control trap 10.77.1.1 "$(printf 'caf\351 \327')"
wait_until 5 grep -q 'trap' "$work/watch.out" || fail "no trap object: $(cat "$work/watch.out")"
kill -TERM "$watch_pid"
wait "$watch_pid" || fail "watch --json ended with an error on SIGTERM"
validate_json event "$work/watch.out"
grep -q '"text":"café ×"' "$work/watch.out" || fail "Latin-1 text: $(cat "$work/watch.out")"

# An event that cannot be written ends the watch with exit status 6.
"$CLI" --cfg "$work/watched" watch --json >/dev/full 2>"$work/watch.err" &
watch_pid=$!
wait_for '^poll-reply 10.77.1.1$' $((polls + 3))
control trap 10.77.1.1 lost
ended() { ! kill -0 "$watch_pid" 2>/dev/null; }
wait_until 5 ended || fail "watch went on writing to a full device"
status=0
wait "$watch_pid" || status=$?
expect_status 6
stop_sim
echo ok
