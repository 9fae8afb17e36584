#!/bin/sh
# Any datagram of any length or content on the agent port and on port 69, bad control lines and
# bad web requests: each is answered as an agent would or dropped, and the simulator goes on.
# shellcheck source=agentsim_common.sh
. "$(dirname "$0")/agentsim_common.sh"

start_sim --agents 3
probe --expect 0 --timeout-ms 500 random 10.77.0.10 5002 3000 1 >"$work/answers" || true
probe --expect 0 --timeout-ms 500 random 255.255.255.255 5002 1000 2 >>"$work/answers" || true
probe --expect 0 --timeout-ms 500 random 10.77.0.11 69 3000 3 >>"$work/answers" || true
# The answers to requests addressed to an agent carry an error result or the agent's settings.
if grep -v ' op=\(2\|4\|6\|8\|11\|[0-9]\+ result=[1-4]\) ' "$work/answers" | grep -q 'op='; then
    fail "unexpected answers: $(grep -v ' op=\(2\|4\|6\|8\|11\) ' "$work/answers" | head -5)"
fi

head -c 5000 /dev/zero | tr '\0' 'x' >&3
echo >&3
control fly away
control list
wait_for '^error line longer than 4096 characters$'
wait_for "^error unknown command 'fly'$"
wait_for '^ok list 3$'

curl -s -m 5 -o /dev/null -w '%{http_code}\n' -X POST http://10.77.0.10/ >"$work/http"
curl -s -m 5 -o /dev/null -w '%{http_code}\n' http://10.77.0.10/missing >>"$work/http"
[ "$(tr "\n" " " <"$work/http")" = "405 404 " ] || fail "web answers: $(cat "$work/http")"

probe --expect 3 discover >"$work/after" || fail "the agents stopped answering"
control stats
wait_for '^ok stats received '
stop_sim
echo ok
