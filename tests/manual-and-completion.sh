#!/usr/bin/env bash
# The manual page and the bash completion against the program's own --help:
# every --option of the help in both and nothing more, then a few prefixes
# completed as a user's Tab would.
#   tests/manual-and-completion.sh QUILLMARK MANUAL COMPLETION
set -uo pipefail
program=$1 manual=$2 completion=$3
failed=0

options() { grep -oE -- '--[a-z0-9][a-z0-9-]*' | sort -u; }
compare() { # what has, what lacks, words the first has that the second lacks
    local missing
    missing=$(comm -23 <(echo "$3") <(echo "$4"))
    [[ -z $missing ]] || { echo "$2 lacks what $1 lists:" $missing; failed=1; }
}

help=$("$program" --help | options)
[[ -n $help ]] || { echo "no options in --help"; exit 1; }
man=$(sed 's/\\-/-/g' "$manual" | grep -v '^\.\\"' | options)

# shellcheck source=/dev/null
source "$completion"
complete_line() { # the words of a command line, the last being completed
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _quillmark
    printf '%s\n' "${COMPREPLY[@]}"
}
completed=$(complete_line quillmark -- | sed 's/=$//' | options)

compare "--help" "the manual page" "$help" "$man"
compare "the manual page" "--help" "$man" "$help"
compare "--help" "the completion" "$help" "$completed"
compare "the completion" "--help" "$completed" "$help"

while IFS='|' read -r line expected; do
    got=$(eval "complete_line $line" | tr '\n' ' ')
    [[ "${got% }" == "$expected" ]] || { echo "completing \"$line\": \"${got% }\", not \"$expected\""; failed=1; }
done <<'ROWS'
quillmark --su|--subnet-zero --subnets --summarize
quillmark --aggregate 10.0.0.0/8 --|-- --help --json --version
quillmark --practice --types network,br|network,broadcast
quillmark --practice --classes ''|A B C AB AC BC ABC
quillmark --subnets 10.0.0.0/8 --|-- --help --json --limit --mask --rfc3021 --version
quillmark --plan 10.0.0.0/24 --r|--rfc3021
quillmark --report --l|
quillmark --color=a|--color=always --color=auto
quillmark --subnets 10.0.0.0/8 --mask ''|
quillmark -- --|
quillmark 10.0.0.1/8 ''|
ROWS
exit $failed
