#!/bin/sh
# The soak: 256 monitored agents polled at the 15 s interval for SECONDS (default 120) while
# agents are silenced, revived and send traps at random. Run with the console driver of the asan
# build, whose leak report at the exit fails the run:
#   AGENTSIM=... DRIVER=... MKDEFINE=... DEMO_MONITOR=... [SOAK_SECONDS=...] \
#       tools/testnet sh tests/e2e/console_soak.sh
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
soak_seconds=${SOAK_SECONDS:-120}

make_config soak
awk 'BEGIN {
    for (n = 0; n < 256; n++)
        printf "02:00:0a:4d:%02x:%02x|10.77.%d.%d|255.255.0.0|10.77.0.1|10.77.0.1|VS-24|agent-%d|rack %d|admin|disable|2|2|no\n",
            int((n + 10) / 256), (n + 10) % 256, int((n + 10) / 256), (n + 10) % 256, n + 1, 1 + int(n / 24)
}' >"$work/agents"
# shellcheck disable=SC2046 # one address a word
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$work/agents" \
    -o "$work/soak/monitor.cfg" $(cut -d '|' -f 2 "$work/agents") || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$work/agents" --quiet
# A small quarantine, so that freed memory ASan holds back does not read as growth.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16:detect_leaks=1"
VANTELO_SOAK_SECONDS=$soak_seconds
VANTELO_SOAK_SEED=${VANTELO_SOAK_SEED:-12}
# QtTest's watchdog would end a test function after five minutes.
QTEST_FUNCTION_TIMEOUT=$(((soak_seconds + 300) * 1000))
export ASAN_OPTIONS VANTELO_SOAK_SECONDS VANTELO_SOAK_SEED QTEST_FUNCTION_TIMEOUT
run_console soak soak 2>&1 | tee "$work/driver.log"
grep -q 'Sanitizer' "$work/driver.log" && fail "a sanitizer report"
grep -q '^PASS   : TestConsoleFaults::soak()' "$work/driver.log" || fail "the soak failed"
stop_sim
echo ok
