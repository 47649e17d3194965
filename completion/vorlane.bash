# bash completion for vorlane

_vorlane() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local IFS=$'\n'
    if ((COMP_CWORD == 1)); then
        local letter form words=()
        for letter in l u t; do
            for form in '' f d D r R; do
                words+=("-$letter$form")
            done
        done
        COMPREPLY=($(compgen -W "${words[*]}" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    case ${COMP_WORDS[1]} in
        -*[dDrR]*) COMPREPLY=($(compgen -d -- "$cur")) ;;
        *) COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
}
complete -F _vorlane vorlane
