#!/bin/sh
# Passwords out of the command line: given by a file, by standard input and by the environment,
# they reach the agent (it confirms the setting, or refuses a wrong one) and never appear in the
# process's /proc/PID/cmdline, read while it waits for an agent that does not answer.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config secrets
start_console_sim --agent-file "$agents"
# At most 20 characters, as the dialogs take.
secret=not-in-cmdline-7
printf '%s\nsecond line\n' "$secret" >"$work/password"
printf 'admin\n' >"$work/admin"

# Copies the command line of process $pid to $work/cmdline once it runs vantelo-cli.
read_cmdline() {
    { tr '\0' ' ' <"/proc/$pid/cmdline" >"$work/cmdline"; } 2>/dev/null &&
        grep -q vantelo-cli "$work/cmdline"
}

# Runs vantelo-cli in the background with the remaining arguments, standard input from $1;
# fails if its command line shows the secret while it runs. Leaves its exit status in $status
# and in $seen whether its command line was read before it ended.
run_watched() {
    input=$1
    shift
    "$CLI" --cfg "$work/secrets" "$@" <"$input" >"$work/out" 2>"$work/err" &
    pid=$!
    seen=no
    if wait_until 5 read_cmdline; then
        seen=yes
        ! grep -qF "$secret" "$work/cmdline" ||
            fail "the password is on the command line: $(cat "$work/cmdline")"
    fi
    status=0
    wait "$pid" || status=$?
}

# An agent that does not answer keeps the process alive for its timeout.
silent="set 10.77.9.9 --system-name x --timeout 1500"
# shellcheck disable=SC2086 # the arguments are split at blanks on purpose
{
    run_watched /dev/null $silent --password-file "$work/password"
    expect_status 3
    [ "$seen" = yes ] || fail "the command line was not read (file)"
    run_watched "$work/password" $silent --password-file -
    expect_status 3
    [ "$seen" = yes ] || fail "the command line was not read (stdin)"
    VANTELO_PASSWORD=$secret run_watched /dev/null $silent
    expect_status 3
    [ "$seen" = yes ] || fail "the command line was not read (environment)"
}

# The passwords reach the agent: the right one is confirmed, a wrong one refused.
run_watched "$work/admin" set 10.77.1.3 --location "by stdin" --password-file -
expect_status 0
expect_message "vantelo-cli: Information: Set Succesful"
wait_for '^set-applied 020a1b000003 10.77.1.3$' 1
run_watched /dev/null set 10.77.1.3 --location "by file" --password-file "$work/admin"
expect_status 0
wait_for '^set-applied 020a1b000003 10.77.1.3$' 2
VANTELO_PASSWORD=$secret run_watched /dev/null set 10.77.1.3 --location "by env"
expect_status 1
expect_message "vantelo-cli: Error: Device return : password error"
# The new password by its own variable, the old one from a file; then the new one works.
VANTELO_NEW_PASSWORD=$secret run_watched /dev/null password 10.77.1.3 --password-file "$work/admin"
expect_status 0
run_watched "$work/password" set 10.77.1.3 --location "new password" --password-file -
expect_status 0
wait_for '^set-applied 020a1b000003 10.77.1.3$' 3
stop_sim
echo ok
