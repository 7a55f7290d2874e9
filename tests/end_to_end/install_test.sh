#!/usr/bin/env bash
# An installed copy of the program, started from another folder, reads the
# archive installed with it, not one in the working directory.
# Usage: install_test.sh <cmake> <build folder> <expected output>
set -u
cmake=$1 build=$2 expected=$3
. "$(dirname "$0")/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"

install_at() {  # install_at <prefix>
  "$cmake" --install "$build" --prefix "$1" >/dev/null
}
# run <folder> <prefix> <BROODHOME or empty>: the installed program in the
# folder, in batch mode; its status is the result.
run() {
  local dir=$1 prefix=$2 home=$3
  mkdir -p "$dir"
  (cd "$dir" && env -u BROOD_INHIBIT_ARCHIVER_LOAD -u BROODHOME HOME="$work/home" ${home:+BROODHOME="$home"} \
    "$prefix/bin/rarevadiv" --batch >stdout 2>stderr)
}

# A folder named brood is found above the program; any other prefix is
# named by BROODHOME.
install_at "$work/brood"
install_at "$work/opt/toolkit"
for case in "named|$work/brood|" "broodhome|$work/opt/toolkit|$work/opt/toolkit"; do
  IFS='|' read -r name prefix home <<<"$case"
  dir=$work/run-$name
  mkdir -p "$dir"
  # A working-directory archive that would stop the run after 20 steps.
  sed 's/#:experimentDuration 250/#:experimentDuration 20/' "$prefix/share/brood/rarevadiv/rarevadiv.scm" \
    >"$dir/rarevadiv.scm"
  run "$dir" "$prefix" "$home"
  check "$name: the installed program runs" test $? -eq 0
  check "$name: it reads the installed archive" cmp -s "$dir/unhappiness.output" "$expected"
done

# Not recognised as installed, the program reads the working directory,
# and an empty one holds no archive.
run "$work/run-unknown" "$work/opt/toolkit" ""
check "an unknown prefix reads the working directory" \
  grep -qF "Can't find the parameters to create batchBrood" "$work/run-unknown/stderr"
finish
