# shellcheck shell=sh
# Sourced by the console's end to end tests, which tools/testnet runs inside a private network
# namespace. Arguments of the test: the simulator, the console driver and vantelo-mkdefine. The
# simulator's helpers come from agentsim_common.sh, with the driver in place of the probe.
. "$(dirname "$0")/agentsim_common.sh"
DRIVER=$PROBE
mkdir "$work/cfg"
cp "$work/define.ecf" "$work/cfg/define.ecf"

# Starts the simulator with its control socket and the given options; returns once it is ready.
start_console_sim() {
    start_sim --control "$work/control.sock" "$@"
}

# Runs the named test functions of the driver against the running simulator.
run_console() {
    VANTELO_E2E_CONFIG="$work/cfg" VANTELO_E2E_CONTROL="$work/control.sock" \
        "$DRIVER" "$@" || fail "console driver: $*"
}
