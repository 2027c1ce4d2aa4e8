#!/usr/bin/env bash
# README.md's list of vornix-cli commands is what the program declares: one usage line a
# command, in the order of its help. On a difference it prints the list to paste.
# Arguments: VORNIX_CLI README
set -euo pipefail
cli=$1 readme=$2
commands=$("$cli" --help | awk '/^commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
[ -n "$commands" ] || { echo "FAIL: no commands in $cli --help" >&2; exit 1; }
declared=$(for c in $commands; do "$cli" "$c" --help | sed -n '1s/^usage: /    /p'; done)
# The README's list: the indented lines starting with "vornix-cli COMMAND" in the section
# on the command-line companion, up to the next section.
listed=$(awk '/^## The command-line companion/ { on = 1; next } on && /^## / { exit }
              on && /^    vornix-cli [a-z]/' "$readme")
if [ "$declared" != "$listed" ]; then
  echo "FAIL: README.md's command list differs from what vornix-cli declares." >&2
  echo "Put this in place of the list under \"## The command-line companion\":" >&2
  echo >&2
  echo "$declared" >&2
  echo >&2
  diff <(echo "$listed") <(echo "$declared") >&2 || true
  exit 1
fi
