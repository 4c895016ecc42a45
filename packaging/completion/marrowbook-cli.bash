# bash completion for marrowbook-cli: its commands, their options, and for
# each argument the files of the kind the command takes there (.mbk, .hhp,
# .chm, in any letter case) and folders to reach them.
#
# Commands, options and argument kinds come from the tool's own --help (the
# usage line "compile <project.mbk>", the option line "--output DIR"), so the
# completion follows the tool it completes.

# The option lines of a help text: "--name" or "--name VALUE", one a line.
_marrowbook_cli_option_lines() {
    sed -n 's/^  \(--[a-z][a-z-]*\)\( [A-Z][A-Z]*\)\{0,1\} .*/\1\2/p'
}

# The value name of option $1 among the option lines $2 ("DIR" for
# "--output DIR"); nothing for an option without a value or an unknown one.
_marrowbook_cli_value_name() {
    local line
    while IFS= read -r line; do
        if [[ $line == "$1 "* ]]; then
            printf '%s' "${line#* }"
            return
        fi
    done <<<"$2"
}

_marrowbook_cli() {
    local program=${COMP_WORDS[0]}
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()

    local overview
    overview=$("$program" --help 2>/dev/null) || return 0
    local commands global_options
    commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$overview")
    global_options=$(sed -n '/^Options for every command:/,$p' <<<"$overview" |
        _marrowbook_cli_option_lines)

    # The command, its options with their value names, and how many
    # arguments come before the word being completed.
    local command="" command_help="" options="$global_options"
    local i word arguments=0 options_ended=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ -z $options_ended && $word == -- ]]; then
            options_ended=1
        elif [[ -z $options_ended && $word == --* ]]; then
            # An option with a value takes the next word.
            [[ -n $(_marrowbook_cli_value_name "$word" "$options") ]] && i=$((i + 1))
        elif [[ -z $command ]]; then
            command=$word
            command_help=$("$program" "$command" --help 2>/dev/null) || return 0
            options=$(printf '%s\n%s\n' "$global_options" \
                "$(_marrowbook_cli_option_lines <<<"$command_help")")
        else
            arguments=$((arguments + 1))
        fi
    done

    # The value of an option: folders for DIR, nothing to offer otherwise.
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    if [[ -z $options_ended && $previous == --* && $COMP_CWORD -gt 1 ]]; then
        local value_name
        value_name=$(_marrowbook_cli_value_name "$previous" "$options")
        if [[ -n $value_name ]]; then
            if [[ $value_name == DIR ]]; then
                compopt -o filenames 2>/dev/null
                mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            fi
            return 0
        fi
    fi

    if [[ -z $options_ended && $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(cut -d' ' -f1 <<<"$options")" -- "$cur")
        return 0
    fi

    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
        return 0
    fi

    # The kind of this argument, from the usage line: "<file.chm>..." repeats
    # its last kind, "[<project.mbk>]" is optional.
    local usage kinds=() repeats=""
    usage=$(sed -n "1s/^Usage: [^ ]* $command //p" <<<"$command_help")
    [[ $usage == *... ]] && repeats=1
    mapfile -t kinds < <(grep -o '<[^>]*>' <<<"$usage" | sed 's/^<[^.]*\.\([a-z]*\)>$/\1/')
    local kind=""
    if ((arguments < ${#kinds[@]})); then
        kind=${kinds[arguments]}
    elif [[ -n $repeats && ${#kinds[@]} -gt 0 ]]; then
        kind=${kinds[${#kinds[@]} - 1]}
    fi
    [[ -z $kind || $kind == \<* ]] && return 0

    compopt -o filenames 2>/dev/null
    local candidate
    while IFS= read -r candidate; do
        if [[ -d $candidate ]]; then
            COMPREPLY+=("$candidate")
        elif [[ ${candidate,,} == *."$kind" ]]; then
            COMPREPLY+=("$candidate")
        fi
    done < <(compgen -f -- "$cur")
    return 0
}

complete -F _marrowbook_cli marrowbook-cli
