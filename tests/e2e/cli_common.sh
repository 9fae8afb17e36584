# shellcheck shell=sh
# Sourced by the end to end tests of vantelo-cli, which tools/testnet runs inside a private
# network namespace. Arguments of the test: the simulator, the console driver, vantelo-mkdefine,
# vantelo-demo-monitor and vantelo-cli.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
CLI=$5
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
