# shellcheck shell=sh
# Sourced by the console's end to end tests, which tools/testnet runs inside a private network
# namespace. The programs come in the environment: AGENTSIM, DRIVER (the console's test driver),
# MKDEFINE and DEMO_MONITOR (vantelo-demo-monitor). The simulator's helpers come from
# agentsim_common.sh, with the driver in place of the probe.
# Scripts outside tests/e2e name its directory in VANTELO_E2E_DIR.
PROBE=${DRIVER:?the console driver}
: "${DEMO_MONITOR:?vantelo-demo-monitor}"
# shellcheck source=agentsim_common.sh
. "${VANTELO_E2E_DIR:-$(dirname "$0")}/agentsim_common.sh"

# Makes a configuration directory for the console under $work with the test's definition file.
make_config() {
    mkdir "$work/$1"
    cp "$work/define.ecf" "$work/$1/define.ecf"
}

# Makes the configuration directory $work/$1 with a monitor list of 256 agents (10.77.1.1 to
# 10.77.1.200, then 10.77.2.1 on), written by vantelo-demo-monitor from the agents' lines it
# leaves in $work/agents (which the simulator's --agent-file takes too).
make_full_monitor_list() {
    make_config "$1"
    awk 'BEGIN {
        for (n = 0; n < 256; n++)
            printf "02:00:0a:4d:%02x:%02x|10.77.%d.%d|255.255.0.0|10.77.0.1|10.77.0.1|VS-24|agent-%d|rack %d|admin|disable|2|2|no\n",
                1 + int(n / 200), 1 + n % 200, 1 + int(n / 200), 1 + n % 200, n + 1, 1 + int(n / 24)
    }' >"$work/agents"
    "$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$work/agents" \
        -o "$work/$1/monitor.cfg" || fail "vantelo-demo-monitor"
}

# Starts Xvfb and points DISPLAY at it, with platform=xcb, so that a shown window is really
# drawn; without Xvfb, platform=offscreen. stop_display ends it.
# shellcheck disable=SC2034 # platform is read by the scripts that start a display
start_display() {
    platform=offscreen
    xvfb=""
    command -v Xvfb >/dev/null || return 0
    Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    wait_until 5 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    platform=xcb
}

stop_display() {
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}

# Starts the simulator with its control socket and the given options; returns once it is ready.
start_console_sim() {
    start_sim --control "$work/control.sock" "$@"
}

# Runs the named test functions of the driver with the configuration directory $work/$1 against
# the running simulator.
run_console() {
    config=$1
    shift
    VANTELO_E2E_CONFIG="$work/$config" VANTELO_E2E_CONTROL="$work/control.sock" \
        "$DRIVER" "$@" || fail "console driver: $*"
}
