#!/usr/bin/env bash
# Drives the bash completion as bash does, through COMP_WORDS and COMP_CWORD,
# and checks what it offers.
set -u
completion=$1
source "$completion"

passed=0 failed=0
expect() {  # expect TITLE EXPECTED-WORDS... -- COMMAND-LINE-WORDS...
    local title=$1 expected=() words=()
    shift
    while [ "$1" != -- ]; do expected+=("$1"); shift; done
    shift
    words=("$@")
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    COMPREPLY=()
    _vorlane
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    local want
    want=$(printf '%s\n' "${expected[@]}" | sort)
    if [ "$got" == "$want" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL %s\n  want: %s\n  got:  %s\n' "$title" "$(echo $want)" "$(echo $got)"
    fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir 'Docs' 'Dir With Space' 'Music'
touch 'Data.TXT' 'dots.tar.gz'

expect "all option words" \
    -l -lf -ld -lD -lr -lR -u -uf -ud -uD -ur -uR -t -tf -td -tD -tr -tR -- vorlane ''
expect "option words by prefix" -u -uf -ud -uD -ur -uR -- vorlane -u
expect "one option word" -tR -- vorlane -tR
expect "only directories after r" Docs 'Dir With Space' -- vorlane -lr D
expect "only directories after d" 'Dir With Space' -- vorlane -ld Di
expect "only directories after R, later arguments too" Music -- vorlane -uR Docs M
expect "files and directories after a file form" Docs 'Dir With Space' Data.TXT -- vorlane -l D
expect "files after no form letter" dots.tar.gz -- vorlane -t do
expect "files after f" Data.TXT -- vorlane -uf Da

printf '%d passed, %d failed\n' "$passed" "$failed"
[ "$failed" -eq 0 ]
