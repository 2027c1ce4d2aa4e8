#!/usr/bin/env bash
# Writes the manual page of vornix-cli from the program's own help texts, so the two
# never disagree. A paragraph that several commands share is given once, at its first use.
# Usage: make-manpage.sh VORNIX_CLI OUT
set -euo pipefail
cli=$1 out=$2
top=$("$cli" --help)
version=$("$cli" --version)
commands=$(awk '/^commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }' <<<"$top")
# The paragraph between the usage lines and the command list.
intro=$(awk '/^$/ { n++; next } n == 1' <<<"$top")
status=$(grep '^Exit status:' <<<"$top" | sed 's/^Exit status: //')

{
  for c in $commands; do
    "$cli" "$c" --help
    printf '\f\n'
  done
} | awk -v version="$version" -v intro="$intro" -v status="$status" '
  # Plain text to roff: backslashes, minus signs and control characters at line starts.
  function roff(s) {
    gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s); sub(/^[.'"'"']/, "\\\\&&", s)
    return s
  }
  function flush() {
    if (para != "" && !(para in seen)) {
      seen[para] = 1
      if (shown++) print ".IP"
      print roff(para)
    }
    para = ""
  }
  BEGIN {
    print ".TH VORNIX\\-CLI 1 \"\" \"" version "\" \"User Commands\""
    print ".SH NAME"
    print "vornix\\-cli \\- edit Commodore 64 tape images and convert C64 files"
    print ".SH SYNOPSIS"
    print ".B vornix\\-cli"
    print ".I COMMAND"
    print "[\\fIARGS\\fR...]"
    print ".br"
    print ".B vornix\\-cli"
    print "\\-\\-help | \\-\\-version"
    print ".SH DESCRIPTION"
    print roff(intro)
    print ".PP"
    print roff("vornix-cli COMMAND --help shows the help of one command.")
    print ".SH COMMANDS"
    first = 1
  }
  /^\f$/ { flush(); first = 1; next }
  first { sub(/^usage: /, ""); print ".TP"; print ".B " roff($0); first = 0; shown = 0; next }
  /^[ \t]*$/ { flush(); next }
  { sub(/^[ \t]+/, ""); para = para == "" ? $0 : para "\n" $0 }
  END {
    print ".SH EXIT STATUS"
    print roff(status)
  }' >"$out"
