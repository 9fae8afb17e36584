# shellcheck shell=sh
# Sourced by the end to end tests of vantelo-cli, which tools/testnet runs inside a private
# network namespace. The programs come in the environment: those of console_common.sh, CLI
# (vantelo-cli) and CAPTURE (udp_capture).
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
: "${CLI:?vantelo-cli}" "${CAPTURE:?udp_capture}"
capture_pid=""
# shellcheck disable=SC2034 # read by the tests that source this file
agents="$(dirname "$0")/console_agents.txt"

# Runs vantelo-cli on the configuration directory $work/$1 with the remaining arguments;
# its standard output goes to $work/out, its standard error to $work/err, and its exit status
# to $status.
run_cli() {
    config=$1
    shift
    status=0
    "$CLI" --cfg "$work/$config" "$@" >"$work/out" 2>"$work/err" || status=$?
}

# Fails unless the last run_cli ended with STATUS.
expect_status() {
    [ "$status" = "$1" ] ||
        fail "vantelo-cli ended with $status, expected $1; stderr: $(cat "$work/err")"
}

# Fails unless the last run_cli's standard error has a line that is exactly TEXT.
expect_message() {
    grep -qxF -- "$1" "$work/err" || fail "no message '$1' on stderr: $(cat "$work/err")"
}

# Prints the JSON object of the agent with MAC text $1 from the last `discover --json`.
agent_object() {
    tr -d '\n' <"$work/out" | sed 's/  */ /g' | grep -o "{[^}]*\"mac\": \"$1\"[^}]*}" ||
        fail "agent $1 not discovered: $(cat "$work/out")"
}

# Records every datagram to the agent port (base port 0x1388 + 2) in $work/$1 until
# stop_capture.
start_capture() {
    rm -f "$work/capture-ready"
    "$CAPTURE" 5002 60 "$work/$1" >"$work/capture-ready" &
    capture_pid=$!
    wait_until 5 grep -q ready "$work/capture-ready" 2>/dev/null ||
        fail "the capture did not start"
}

stop_capture() {
    kill "$capture_pid"
    wait "$capture_pid" || true
    capture_pid=""
}

# The set requests of capture $1: the datagrams with more than the 40-byte header, to
# destination $2, each once.
set_requests() {
    grep "^[0-9.]* $2 " "$work/$1" | awk 'length($3) > 80' | sort -u
}
