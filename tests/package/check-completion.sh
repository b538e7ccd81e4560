#!/usr/bin/env bash
# The bash completion as the package installs it, sourced into a bash of its
# own and asked as bash asks it when Tab is pressed: the completions of a
# table of command lines; every command and option of the program's --help
# offered; and every period, day and format offered accepted by the program.
#   check-completion.sh <root the package is extracted in>
set -euo pipefail

source "$(dirname "$0")/checklib.sh" "$1"
script="$root/usr/share/bash-completion/completions/RyvTracker"

# The words offered for a command line whose last word is being completed,
# sorted, on one line. Runs in the files' folder, for file names.
files="$home/files"
mkdir -p "$files"
touch "$files/week.csv" "$files/notes.txt"
complete_line() {
  (cd "$files" && bash --norc --noprofile -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _RyvTracker
    printf "%s\n" "${COMPREPLY[@]}"' bash "$script" "$@") | sort | xargs
}

periods="last-month last-week last-year this-month this-week this-year today yesterday"
# Each case: the words expected, then the words of the command line, the last
# one being completed (empty after a trailing "|"). "--format=c" comes split
# at "=", as bash splits it.
cases=(
  "export report|RyvTracker|"
  "report|RyvTracker|re"
  "--help --version|RyvTracker|--"
  "$periods|RyvTracker|report|"
  "this-month this-week this-year|RyvTracker|report|this-"
  "$periods|RyvTracker|report|--format|csv|"
  "--daily --format --groups --help --output|RyvTracker|report|today|--"
  "--daily --format --groups --help --output -o|RyvTracker|report|last-week|"
  "csv html json pdf|RyvTracker|report|--format|"
  "csv|RyvTracker|report|--format|=|c"
  "csv html json pdf|RyvTracker|export|--format|="
  "today|RyvTracker|export|"
  "--format --help --output|RyvTracker|export|--"
  "notes.txt week.csv|RyvTracker|export|-o|"
  "week.csv|RyvTracker|report|--output|w"
  "|RyvTracker|unknown|"
)
for c in "${cases[@]}"; do
  IFS='|' read -r -a parts <<<"$c|"
  expected=${parts[0]}
  line=("${parts[@]:1}")
  # The trailing "|" kept the empty last word; read drops one empty field.
  got=$(complete_line "${line[@]}")
  [ "$got" = "$expected" ] || fail "'${line[*]}': offered '$got', not '$expected'"
done

# Everything --help names is offered somewhere.
offered_commands=" $(complete_line RyvTracker '') "
offered_options=" $(complete_line RyvTracker -) "
for command in $(help_commands); do
  [[ "$offered_commands" == *" $command "* ]] || fail "the command $command is not offered"
  offered_options+=" $(complete_line RyvTracker "$command" -) "
done
for option in $(help_options); do
  [[ "$offered_options" == *" $option "* ]] || fail "the option $option is not offered"
done

# What is offered, the program takes.
run() {
  as_user "$program" "$@" --output "$home/out" >/dev/null 2>"$home/err" ||
    fail "RyvTracker $*: $(cat "$home/err")"
}
for period in $(complete_line RyvTracker report ''); do
  run report "$period" --format csv
done
for day in $(complete_line RyvTracker export ''); do
  run export "$day" --format csv
done
for format in $(complete_line RyvTracker report --format ''); do
  run report --format "$format"
done

finish "$script: ${#cases[@]} command lines completed, --help covered, every value offered accepted"
