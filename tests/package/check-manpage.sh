#!/usr/bin/env bash
# The manual page as the package installs it: man formats it without a
# warning (as lintian checks pages), and it names every command and option
# of the program's --help.
#   check-manpage.sh <root the package is extracted in>
set -euo pipefail

source "$(dirname "$0")/checklib.sh" "$1"
page="$root/usr/share/man/man1/RyvTracker.1.gz"
if ! command -v man >/dev/null; then
  echo "FAIL: man is not installed (scripts/install-deps.sh --test installs man-db)" >&2
  exit 1
fi

warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
  man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"

text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E ascii -l "$page" 2>/dev/null | col -b)
grep -q '^NAME' <<<"$text" || fail "the page has no NAME section"
for command in $(help_commands); do
  grep -qE "^ +RyvTracker $command( |$)" <<<"$text" || fail "the synopsis lacks the command $command"
done
for option in $(help_options); do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "the page lacks the option $option"
done

finish "$page: formatted without warnings, every command and option described"
