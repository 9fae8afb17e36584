# bash completion for vantelo-cli: commands, monitor subcommands and each command's options.

_vantelo_cli() {
    local cur prev words cword
    _init_completion || return

    local command="" sub="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --cfg | --timeout | --interval | --ip | --mask | --gateway | --trap-ip | \
                --system-name | --location | --dhcp | --password | --new-password | \
                --password-file | --new-password-file | --file)
                ((i++))
                ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then
                    command=${words[i]}
                elif [[ $command == monitor && -z $sub ]]; then
                    sub=${words[i]}
                fi
                ;;
        esac
    done

    case $prev in
        --cfg)
            _filedir -d
            return
            ;;
        --file | --password-file | --new-password-file)
            _filedir
            return
            ;;
        --dhcp)
            mapfile -t COMPREPLY < <(compgen -W "on off" -- "$cur")
            return
            ;;
        --interval)
            mapfile -t COMPREPLY < <(compgen -W "15 30 60 120 300" -- "$cur")
            return
            ;;
        --timeout | --ip | --mask | --gateway | --trap-ip | --system-name | --location | \
            --password | --new-password)
            return
            ;;
    esac

    local targets="--password-file --password --timeout --monitored --stop-on-failure --json"
    local words_for
    case $command in
        "") words_for="discover watch set password upgrade monitor --cfg --help --version" ;;
        discover) words_for="--timeout --json" ;;
        watch) words_for="--interval --json" ;;
        set) words_for="--ip --mask --gateway --trap-ip --system-name --location --dhcp $targets" ;;
        password) words_for="--new-password-file --new-password $targets" ;;
        upgrade) words_for="--file --quiet -q $targets" ;;
        monitor)
            case $sub in
                "") words_for="list add remove import export" ;;
                list) words_for="--json --csv" ;;
                add) words_for="--timeout --no-wait" ;;
                import | export)
                    _filedir
                    return
                    ;;
            esac
            ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$words_for" -- "$cur")
} &&
    complete -F _vantelo_cli vantelo-cli
