# Shared by the checks of the extracted package (sourced): failures counted
# and reported, the packaged program run as a user runs it, and the commands
# and options its --help names, which the manual page and the completion
# must keep up with.
#   source checklib.sh <root the package is extracted in>

root=$1
program="$root/usr/bin/RyvTracker"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Ends the check: exit status 1 after any failure, else the line saying what
# was found right.
finish() {
  if [ "$failures" -ne 0 ]; then
    exit 1
  fi
  echo "$1"
}

# The program without a display, in a home of its own.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
as_user() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
    HOME="$home" XDG_RUNTIME_DIR="$home" "$@"
}

# The words under "Commands:" in --help.
help_commands() {
  as_user "$program" --help | awk '/^Commands:/ { on = 1; next } on && /^$/ { exit } on && /^  [a-z]/ { print $1 }'
}

# Every -x and --word in --help.
help_options() {
  as_user "$program" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | sed 's/^[ ,]//' | sort -u
}
