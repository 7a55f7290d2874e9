#!/usr/bin/env bash
# End-to-end runs of the batch program: output file, reproducibility,
# logging switched off, and the archive's errors.
# Usage: batch_test.sh <rarevadiv program> <application archive> <expected output>
set -u
program=$1 archive=$2 expected=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # check <name> <command...>
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
run() {  # run <dir> <args...>: the program in dir, output in dir/stdout and dir/stderr
  local dir=$1
  shift
  (cd "$dir" && HOME="$work/home" "$program" "$@" >stdout 2>stderr)
}
mkdir -p "$work/home"

mkdir "$work/default" && cp "$archive" "$work/default/rarevadiv.scm"
run "$work/default" --batch
check "default run exits 0" test $? -eq 0
check "default run writes the expected values" cmp -s "$work/default/unhappiness.output" "$expected"
check "one line per logging step before the stop" test "$(wc -l <"$work/default/unhappiness.output")" -eq 250
check "banner" grep -qx "Rarevadiv is running for 250 timesteps." "$work/default/stdout"

mkdir "$work/seed" && cp "$archive" "$work/seed/rarevadiv.scm"
run "$work/seed" -b --seed 99
check "another seed gives other values" bash -c "! cmp -s '$work/seed/unhappiness.output' '$expected'"

mkdir "$work/nolog"
sed -e 's/#:loggingFrequency 1/#:loggingFrequency 0/' -e 's/#:experimentDuration 250/#:experimentDuration 20/' \
  "$archive" >"$work/nolog/rarevadiv.scm"
run "$work/nolog" --batch
check "logging off exits 0" test $? -eq 0
check "logging off writes no file" test ! -e "$work/nolog/unhappiness.output"
check "logging off prints no logging line" bash -c "! grep -q logging '$work/nolog/stdout'"

mkdir "$work/every5"
sed -e 's/#:loggingFrequency 1/#:loggingFrequency 5/' "$archive" >"$work/every5/rarevadiv.scm"
run "$work/every5" --batch
check "logging every 5 steps writes 50 lines" test "$(wc -l <"$work/every5/unhappiness.output")" -eq 50

mkdir "$work/negative"
sed -e 's/#:experimentDuration 250/#:experimentDuration -3/' "$archive" >"$work/negative/rarevadiv.scm"
run "$work/negative" --batch
check "negative duration is refused" test $? -ne 0
check "negative duration report" grep -q "must not be negative" "$work/negative/stderr"

mkdir "$work/missing"
printf '(list)' >"$work/missing/rarevadiv.scm"
run "$work/missing" --batch
check "missing batchBrood ends the process" test $? -ne 0
check "missing batchBrood report" grep -q "Can't find the parameters to create batchBrood" "$work/missing/stderr"

mkdir "$work/nomodel"
sed -n '1,5p' "$archive" | sed 's/250))$/250)))/' >"$work/nomodel/rarevadiv.scm"
run "$work/nomodel" --batch
check "missing modelBrood report" grep -q "Can't find the parameters to create modelBrood" "$work/nomodel/stderr"

mkdir "$work/broken"
printf '(list (cons ' >"$work/broken/rarevadiv.scm"
run "$work/broken" --batch
check "broken archive ends the process" test $? -ne 0

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
