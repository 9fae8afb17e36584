#!/bin/sh
# vantelo-cli's completions: bash's, loaded by the bash-completion package, offers the commands,
# the monitor subcommands and each command's own options; zsh's loads in compinit and parses.
# usage: cli_completions.sh SOURCE_DIR   (exit 77 skips when bash-completion is missing)
set -eu
completions="$1/packaging/completions"
loader=/usr/share/bash-completion/bash_completion
[ -r "$loader" ] || exit 77

# Prints what bash completes for the words given (the last one being completed).
complete_words() {
    bash -c '. "$1"; . "$2"; shift 2
        COMP_WORDS=(vantelo-cli "$@"); COMP_CWORD=$#; COMP_LINE="vantelo-cli $*"
        COMP_POINT=${#COMP_LINE}; _vantelo_cli; printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
        _ "$loader" "$completions/vantelo-cli.bash" "$@"
}

fail=0
# words to complete|what is offered
while IFS='|' read -r words expected; do
    # shellcheck disable=SC2086 # the words of a case are split at blanks on purpose
    got=$(complete_words $words "")
    if [ "$got" != "$expected" ]; then
        echo "FAIL: '$words': got '$got', expected '$expected'"
        fail=1
    fi
done <<'CASES'
|--cfg --help --version discover monitor password set upgrade watch 
monitor|add export import list remove 
monitor list|--csv --json 
monitor add|--no-wait --timeout 
discover|--json --timeout 
watch --interval|120 15 30 300 60 
set 10.0.0.1 --dhcp|off on 
upgrade --monitored|--file --json --monitored --password --password-file --quiet --stop-on-failure --timeout -q 
password 10.0.0.1|--json --monitored --new-password --new-password-file --password --password-file --stop-on-failure --timeout 
--cfg /tmp discover|--json --timeout 
CASES

if command -v zsh >/dev/null; then
    zsh -n "$completions/_vantelo-cli" || { echo "FAIL: zsh cannot parse _vantelo-cli"; fail=1; }
    zsh -fc 'fpath=("$1" $fpath); autoload -Uz compinit; compinit -u -D
        (( $+_comps[vantelo-cli] ))' _ "$completions" ||
        { echo "FAIL: compinit does not take _vantelo-cli"; fail=1; }
fi
[ "$fail" = 0 ] && echo ok
exit "$fail"
