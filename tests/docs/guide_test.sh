#!/usr/bin/env bash
# The guide to writing a model quotes the sources by file and line: each
# quoted block must still read as those lines, and every block of code in
# it (shell commands aside) must be such a quote.
# Usage: guide_test.sh <guide> <source tree>
set -u
guide=$1 top=$2
. "$top/tests/end_to_end/check.sh"

# One line per block of code: "<path> <first> <last> <block's first line>
# <block's last line>", with "-" for the path, first and last of a block
# that follows no quote line ("`path`, lines A-B:" and a blank line).
blocks=$(awk '
  /^`[^`]+`, lines [0-9]+-[0-9]+:$/ {
    split($0, part, "`"); split($3, range, /[-:]/)
    quote = part[2] " " range[1] " " range[2]; quoted = NR; next
  }
  /^```/ && !open { open = 1; kind = substr($0, 4); start = NR + 1
    if (quoted != NR - 2) quote = "- - -"; next }
  /^```$/ && open { open = 0
    if (kind != "sh" && kind != "") print quote, start, NR - 1
    quote = "- - -" }
' "$guide")

check "the guide quotes the sources" test -n "$blocks"
while read -r path first last start end; do
  if [ "$path" = - ]; then
    check "the block at line $start of the guide is quoted from a file" false
    continue
  fi
  if ! diff <(sed -n "${first},${last}p" "$top/$path") <(sed -n "${start},${end}p" "$guide") >/dev/null; then
    # Where the quoted lines begin now, when they are still there.
    now=$(grep -nFx -- "$(sed -n "${start}p" "$guide")" "$top/$path" | cut -d: -f1 | paste -sd' ')
    echo "$path lines $first-$last differ from the guide's lines $start-$end${now:+; the first quoted line is now at $now}"
    check "$path lines $first-$last" false
  else
    check "$path lines $first-$last" true
  fi
done <<<"$blocks"
finish
