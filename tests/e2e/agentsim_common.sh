# shellcheck shell=sh
# Sourced by the end to end tests of the simulator, which tools/testnet runs inside a private
# network namespace. The programs come in the environment: AGENTSIM (the simulator), PROBE (the
# probe, or what stands in for it) and MKDEFINE (vantelo-mkdefine).
set -eu
# shellcheck source=private_network_guard.sh
. "${VANTELO_E2E_DIR:-$(dirname "$0")}/private_network_guard.sh"
: "${AGENTSIM:?the simulator}" "${PROBE:?the probe}" "${MKDEFINE:?vantelo-mkdefine}"
work=$(mktemp -d)
mkdir "$work/store"
sim_pid=""

cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- simulator events:"
    cat "$work/events" 2>/dev/null || true
    cat "$work/stderr" 2>/dev/null || true
    exit 1
}

# Runs COMMAND with its arguments every 50 ms until it succeeds, for at most SECONDS; returns 1
# when time ran out. A COMMAND that finds the wait pointless (its process ended) calls fail.
wait_until() {
    wait_deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$wait_deadline" ] || return 1
        sleep 0.05
    done
}

"$MKDEFINE" --device-type 03B27F16 --base-port 1388 -o "$work/define.ecf"

probe() {
    "$PROBE" --define "$work/define.ecf" "$@"
}

# Starts the probe in the background, writing to OUTPUT, and returns once its sockets are bound;
# probe_pid is its process.
probe_background() {
    output=$1
    shift
    rm -f "$work/probe-bound"
    "$PROBE" --define "$work/define.ecf" "$@" >"$output" 2>"$work/probe-bound" &
    # shellcheck disable=SC2034 # read by the tests that source this file
    probe_pid=$!
    wait_until 5 grep -q bound "$work/probe-bound" 2>/dev/null || fail "the probe did not start"
}

# Starts the simulator with the given options, its standard input on a FIFO held open on fd 3.
start_sim() {
    rm -f "$work/control" "$work/events"
    mkfifo "$work/control"
    "$AGENTSIM" --define "$work/define.ecf" --store "$work/store" "$@" \
        <"$work/control" >"$work/events" 2>"$work/stderr" &
    sim_pid=$!
    exec 3>"$work/control"
    wait_for '^ready '
}

stop_sim() {
    control quit
    wait "$sim_pid" || fail "the simulator ended with status $?"
    sim_pid=""
    exec 3>&-
}

control() {
    echo "$*" >&3
}

# Keeps the running simulator, every thread of it, on the CPUs of the list given (taskset's form).
pin_sim() {
    taskset -a -p -c "$1" "$sim_pid" >/dev/null || fail "taskset of the simulator"
}

# Waits until the events hold at least COUNT lines matching PATTERN (default 1), for at most
# SECONDS (default 5).
wait_for() {
    wait_until "${3:-5}" events_match "$1" "${2:-1}" ||
        fail "no ${2:-1} event(s) matching '$1'"
}

# Whether the events hold COUNT lines matching PATTERN; fails when the simulator has ended.
events_match() {
    kill -0 "$sim_pid" 2>/dev/null || fail "the simulator ended"
    [ "$(count "$1" "$work/events")" -ge "$2" ]
}

# Counts the lines of FILE matching PATTERN.
count() {
    grep -c -- "$1" "$2" || true
}

expect_count() {
    got=$(count "$1" "$2")
    [ "$got" = "$3" ] || fail "$got lines matching '$1' in $2, expected $3: $(cat "$2")"
}
