#!/usr/bin/env bash
# Runs a checker that prints only what it finds wrong (desktop-file-validate,
# man --warnings), or that line alone when all is well, and fails when the
# checker fails or prints anything else: hints and warnings count as faults.
#   expect-silence.sh [--ok LINE] <command> [arguments...]
set -uo pipefail

ok=""
if [ "$1" = --ok ]; then
  ok=$2
  shift 2
fi
if ! command -v "$1" >/dev/null; then
  echo "FAIL: $1 is not installed (scripts/install-deps.sh --test installs it)" >&2
  exit 1
fi
output=$(LC_ALL=C.UTF-8 "$@" 2>&1)
status=$?
if [ "$status" -ne 0 ] || { [ -n "$output" ] && [ "$output" != "$ok" ]; }; then
  printf '%s\n' "$output" >&2
  echo "FAIL: $* (exit status $status)" >&2
  exit 1
fi
