#!/bin/sh
# Settings from the command line, beside the window doing the same: a monitored agent moved to a
# fixed address with new names ends up exactly as the window's configuration leaves it; a wrong
# password is refused by the agent with the same text; a password change is followed by a
# configuration with the new password; forms the dialogs refuse are refused with their texts and
# send nothing; an agent that is not there, in loader mode or of another protocol is not set.
# What goes to the agents is captured: the window and the command line send the same set
# requests, byte for byte.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config cli
make_config plain
make_config window
start_console_sim --agent-file "$agents"

run_cli cli monitor add --no-wait 10.77.1.1
expect_status 0
start_capture cli.capture
run_cli cli set 10.77.1.1 --dhcp off --ip 10.77.1.41 --system-name renamed --location "room 9" \
    --password admin
expect_status 0
expect_message "vantelo-cli: Information: Set Succesful"
wait_for '^set-applied 020a1b000001 10.77.1.41$' 1
run_cli plain discover --json
cli_agent=$(agent_object 020a1b000001)

run_cli plain set 10.77.1.2 --system-name never --password wrong
expect_status 1
expect_message "vantelo-cli: Error: Device return : password error"
wait_for '^refused 10.77.1.2 set password$' 1
stop_capture

run_cli plain password 020a1b000005 --new-password s3cret --password admin
expect_status 0
expect_message "vantelo-cli: Information: Set Succesful"
run_cli plain set 10.77.1.5 --location "new room" --password s3cret
expect_status 0
wait_for '^set-applied 020a1b000005 10.77.1.5$' 2

# Refused before anything is sent to the agent: the dialogs' own texts, exit status 2 (4 for
# an agent that cannot take the setting). The monitor list of "cli" still holds 10.77.1.1, as it
# was saved before the agent moved.
sets_before=$(count '^set-applied\|^refused' "$work/events")
# configuration|arguments|exit status|the message after "vantelo-cli: "
cat >"$work/cases" <<'CASES'
plain|set 10.77.1.2 --gateway 10.77.2.1 --password admin|2|Error: Gateway and ip address are not in the same net
plain|set 10.77.1.2 --mask 255.0.255.0 --password admin|2|Error: Invalid subnet
cli|set 10.77.1.2 --ip 10.77.1.1 --password admin|2|Setting fail: The setting IP have already existed
plain|set 10.77.1.4 --system-name twenty-one-characters --password admin|2|Error: System name lengths between 0-20
plain|set 10.77.1.4 --password twenty-one-characters|2|Error: Password lengths between 1-20
plain|password 10.77.1.4 --new-password twenty-one-characters --password admin|2|Error: Password length between 1-20
plain|set 10.77.1.3 --dhcp on --password admin|4|10.77.1.3 does not report DHCP: --dhcp cannot be set
CASES
while IFS='|' read -r config arguments code message; do
    # shellcheck disable=SC2086 # the arguments of a case are split at blanks on purpose
    run_cli "$config" $arguments
    expect_status "$code"
    expect_message "vantelo-cli: $message"
done <"$work/cases"

# Not set at all: the exit status of the cause, and why.
run_cli plain set 10.77.9.9 --password admin --timeout 700
expect_status 3
expect_message "vantelo-cli: no answer from 10.77.9.9 within 700 ms"
run_cli plain set 10.77.2.7 --password admin
expect_status 4
expect_message "vantelo-cli: Error: Agent is in loader mode, it can't set   it needs firmware upgrade"
run_cli plain password 10.77.2.8 --new-password x --password admin
expect_status 4
expect_message "vantelo-cli: Error: agent protocol version not support"
sleep 0.3
[ "$(count '^set-applied\|^refused' "$work/events")" = "$sets_before" ] ||
    fail "a refused form reached an agent"
stop_sim

# The window, on a simulator started afresh: the same change and the same refusal.
start_console_sim --agent-file "$agents"
start_capture window.capture
run_console window configurationMovesAMonitoredAgent wrongPasswordIsRefused
wait_for '^set-applied 020a1b000001 10.77.1.41$' 1
wait_for '^refused 10.77.1.2 set password$' 1
stop_capture
for destination in 10.77.1.1 255.255.255.255; do
    set_requests cli.capture "$destination" >"$work/cli.sets"
    set_requests window.capture "$destination" >"$work/window.sets"
    [ -s "$work/cli.sets" ] || fail "no set request to $destination captured"
    cmp "$work/cli.sets" "$work/window.sets" ||
        fail "set requests to $destination differ: $(cat "$work/cli.sets" "$work/window.sets")"
done
run_cli plain discover --json
window_agent=$(agent_object 020a1b000001)
[ "$cli_agent" = "$window_agent" ] ||
    fail "the window left $window_agent, the command line $cli_agent"
stop_sim
echo ok
