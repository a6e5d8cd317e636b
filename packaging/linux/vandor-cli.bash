# bash completion for vandor-cli
_vandor_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="discover info read write store backup apply firmware history hexdump diff"
    local links="--usb --udp --tcp --bridge --password --password-file --timeout"
    local models='"Marvek" "Marvek ccTalk" "Marvek Totalizer" "Marvek - Robo" "Tokmat" "Dynamic Device"'

    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        -o|--output|--password-file|--from)
            _filedir
            return
            ;;
        --export-git)
            _filedir -d
            return
            ;;
        --model)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(eval printf '%s\\n' $models)" -- "${cur#[\"\']}"))
            COMPREPLY=("${COMPREPLY[@]/#/\"}")
            COMPREPLY=("${COMPREPLY[@]/%/\"}")
            return
            ;;
        --udp|--tcp)
            _known_hosts_real -- "$cur"
            return
            ;;
        --bridge)
            # discover names the bridges to open; elsewhere it is a flag of --tcp
            if [[ ${words[1]} == discover ]]; then
                _known_hosts_real -- "$cur"
                return
            fi
            ;;
        --timeout|--password|--usb|--only|--machine|--rename)
            return
            ;;
    esac

    local opts
    case ${words[1]} in
        discover) opts="--timeout --bridge --password --password-file --no-usb --json" ;;
        info) opts="$links --json" ;;
        read) opts="$links -o --output --machine" ;;
        write) opts="$links --store --no-verify --force --machine" ;;
        store) opts="$links" ;;
        backup) opts="--tcp --udp --usb --all --no-usb --timeout --json" ;;
        apply) opts="--from --only --model --machine --store --tcp --udp --usb --timeout --json" ;;
        firmware) opts="--tcp --bridge --password --password-file --timeout" ;;
        history) opts="$links --machine --rename --export-git" ;;
        hexdump) opts="--model --values" ;;
        diff) opts="--model --machine" ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$opts --help" -- "$cur"))
    else
        case ${words[1]} in
            write|hexdump|diff|firmware) _filedir ;;
        esac
    fi
} &&
    complete -F _vandor_cli vandor-cli
