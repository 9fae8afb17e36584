#!/bin/sh
# The metrics' figures inside a private network namespace:
#   tools/testnet sh tests/bench/metrics_bench.sh AGENTSIM CLI MKDEFINE DEMO_MONITOR
# vantelo-cli watch --metrics with a monitor list of 256 answering agents: how long a scrape
# takes (200 in a row), and the polling rounds' own length while nothing scrapes and while a
# client scrapes without pause. A scrape and a round never run at once (one thread), so a scrape
# can delay a round's start by its own length at most. Reports; asserts no timing.
VANTELO_E2E_DIR="$(dirname "$0")/../e2e"
# shellcheck source=../e2e/console_common.sh
. "$VANTELO_E2E_DIR/console_common.sh"
CLI=$PROBE
metrics=127.0.0.1:9477
scrapes=200
watch_pid=""
trap '[ -z "$watch_pid" ] || kill "$watch_pid" 2>/dev/null; cleanup' EXIT

make_full_monitor_list full
start_console_sim --agent-file "$work/agents" --quiet
"$CLI" --cfg "$work/full" watch --metrics "$metrics" >/dev/null 2>"$work/watch.err" &
watch_pid=$!

scrape() {
    curl -sf --max-time 5 "http://$metrics/metrics"
}

# The value of a series without labels in the last scrape ($work/scrape).
value() {
    sed -n "s/^$1 //p" "$work/scrape"
}

# Prints the median and the largest of the numbers on standard input, in milliseconds.
summary() {
    sort -g | awk '{ v[NR] = $1 * 1000 }
        END { printf "median %.3f ms, max %.3f ms (%d)\n", v[int((NR + 1) / 2)], v[NR], NR }'
}

# Records the length of every new polling round until $1 rounds were seen; scrapes twice a
# second to notice them.
round_lengths() {
    seen=$(value vantelo_poll_rounds_total)
    taken=0
    deadline=$(($(date +%s) + 20 * $1))
    while [ "$taken" -lt "$1" ] && [ "$(date +%s)" -lt "$deadline" ]; do
        sleep 0.5
        scrape >"$work/scrape" || fail "no scrape: $(cat "$work/watch.err")"
        now=$(value vantelo_poll_rounds_total)
        if [ "$now" != "$seen" ]; then
            value vantelo_poll_round_duration_seconds
            seen=$now
            taken=$((taken + 1))
        fi
    done
}

deadline=$(($(date +%s) + 20))
until scrape >"$work/scrape" 2>/dev/null &&
    [ "$(grep -c '^vantelo_agent_last_reply_timestamp_seconds{' "$work/scrape")" = 256 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "256 agents did not answer: $(cat "$work/watch.err")"
    sleep 0.2
done

: >"$work/scrape-times"
n=0
while [ "$n" -lt "$scrapes" ]; do
    curl -sf --max-time 5 -o "$work/body" -w '%{time_total}\n' "http://$metrics/metrics" \
        >>"$work/scrape-times" || fail "scrape $n failed"
    n=$((n + 1))
done
echo "scrape of 256 agents ($(wc -c <"$work/body") bytes): $(summary <"$work/scrape-times")"

round_lengths 3 >"$work/rounds-idle"
echo "polling round, no other scrapes: $(summary <"$work/rounds-idle")"

# A client that scrapes without pause, for as long as three more rounds take (bounded).
(
    end=$(($(date +%s) + 60))
    while [ "$(date +%s)" -lt "$end" ] && [ ! -f "$work/stop-scraping" ]; do
        curl -sf --max-time 5 -o /dev/null "http://$metrics/metrics" || true
    done
) &
scraper=$!
round_lengths 3 >"$work/rounds-busy"
touch "$work/stop-scraping"
wait "$scraper"
echo "polling round, scraped without pause: $(summary <"$work/rounds-busy")"
stop_sim
