# SPDX-License-Identifier: MIT
# Bash completion for tavo-convert: options, quantities and unit names. Every name comes from
# the program itself (its --help and its hidden --list-units), so nothing here needs to
# change when a unit or an option does.

_tavo_convert() {
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    local quantity="" positional=0 options_done=0 k word words=""

    # Walk the words before the cursor: options (and the values of --to and --format) stand
    # before QUANTITY; from QUANTITY on every word is positional: QUANTITY, ROW, TEXT.
    for ((k = 1; k < COMP_CWORD; ++k)); do
        word=${COMP_WORDS[k]}
        if ((options_done == 0 && positional == 0)); then
            case $word in
                --) options_done=1; continue ;;
                --to | --format) ((++k)); continue ;;
                -?*) continue ;;
            esac
        fi
        ((positional == 0)) && quantity=$word
        ((++positional))
    done

    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    if ((positional == 0 && options_done == 0)) && [[ $previous == --format ]]; then
        words=$'tsv\ncsv\njson'
    elif ((positional == 0 && options_done == 0)) && [[ $previous == --to ]]; then
        # The quantity follows --to; take it from the words after the cursor when it is there.
        for ((k = COMP_CWORD + 1; k < ${#COMP_WORDS[@]}; ++k)); do
            word=${COMP_WORDS[k]}
            case $word in --to | --format) ((++k)); continue ;; -?*) continue ;; esac
            quantity=$word
            break
        done
        if [[ -n $quantity ]]; then
            words=$("$program" --list-units "$quantity" 2>/dev/null)
        else
            while IFS= read -r word; do
                words+=$'\n'$("$program" --list-units "$word" 2>/dev/null)
            done < <("$program" --list-units 2>/dev/null | head -n 4)  # the four own names
        fi
    elif ((positional == 0)) && [[ $cur == -* && $options_done == 0 ]]; then
        words=$("$program" --help 2>/dev/null | grep -oE -- '(^|[[:space:]])--?[a-z][a-z-]*' |
            tr -d '[:blank:]' | sort -u)
    elif ((positional == 0)); then
        words=$("$program" --list-units 2>/dev/null)
    elif ((positional == 1)); then
        words=$("$program" --list-units "$quantity" 2>/dev/null)
    fi

    COMPREPLY=()
    local IFS=$'\n'
    for word in $(compgen -W "$words" -- "$cur"); do
        COMPREPLY+=("$(printf '%q' "$word")")
    done
}

complete -F _tavo_convert tavo-convert
