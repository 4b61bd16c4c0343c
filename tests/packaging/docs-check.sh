#!/usr/bin/env bash
# Man pages and bash completion against the programs they describe: both
# pages render without a groff warning, every option a program's --help lists
# is in its page, and completing options offers exactly those of the command.
#   docs-check.sh SOURCE_DIR SCITOOL SCIEDIT
set -euo pipefail
src=$1 scitool=$2 sciedit=$3
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

for page in "$src/docs/sciedit.1" "$src/docs/scitool.1"; do
  warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff failed on $page"
  [[ -z $warnings ]] || fail "groff warns on $page: $warnings"
done

# The options a --help text lists, one a line, sorted: the names in the
# first column of the lines under "Options:" (not the option another needs).
help_options() {
  "$@" --help | awk '/^Options:/ { on = 1; next } /^[^ ]/ { on = 0 } on && /^ +-/' |
    sed -E 's/^ +//; s/ (Needs|Excludes):.*//; s/  .*//' |
    grep -oE -- '-{1,2}[[:alnum:]][-[:alnum:]]*' | sort -u
}

# The pages as text, roff's \- read as the plain hyphen it prints.
scitool_page=$(sed 's/\\-/-/g' "$src/docs/scitool.1")
sciedit_page=$(sed 's/\\-/-/g' "$src/docs/sciedit.1")

commands=("" show check export import config "config show" "config create")
for command in "${commands[@]}"; do
  # shellcheck disable=SC2086  # the command path splits into its words
  options=$(help_options "$scitool" $command) || fail "scitool $command --help failed"
  [[ -n $options ]] || fail "scitool $command --help lists no option"
  for option in $options; do
    grep -q -- "$option\b" <<<"$scitool_page" ||
      fail "scitool.1 does not mention $option (scitool $command)"
  done
done

options=$(help_options "$sciedit") || fail "sciedit --help failed"
[[ $options == *--config* ]] || fail "sciedit --help lists no --config: $options"
for option in $options; do
  grep -q -- "$option\b" <<<"$sciedit_page" || fail "sciedit.1 does not mention $option"
done

# What bash offers for the words typed so far; the last word is completed.
complete_words() {
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    _scitool scitool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort -u' _ "$src/packaging/scitool.bash-completion" scitool "$@"
}

expect_completion() {
  local want=$1
  shift
  local got
  got=$(complete_words "$@" | tr '\n' ' ')
  [[ $got == "$want " ]] || fail "completing 'scitool $*': '$got', expected '$want'"
}
expect_completion "check config export import show" ""
expect_completion "config" "co"
expect_completion "create show" config ""
for command in "${commands[@]}"; do
  # shellcheck disable=SC2086
  want=$(help_options "$scitool" $command | tr '\n' ' ')
  # shellcheck disable=SC2086
  expect_completion "${want% }" $command -
done

exit $failed
