#!/usr/bin/env bash
# End-to-end runs of the batch program: output file, reproducibility,
# logging switched off, the archive's errors and failing writes.
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
  { (cd "$dir" && HOME="$work/home" exec "$program" "$@" >stdout 2>stderr); } 2>/dev/null
}
# An error ends the process through its report, never by a crash.
reported() {  # reported <dir> <status> <text of the report>
  [ "$2" -eq 134 ] && grep -q '^\*\*\* event raised for error: ' "$1/stderr" &&
    grep -q '\*\*\* execution terminating due to error$' "$1/stderr" && grep -qF -- "$3" "$1/stderr"
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
check "another seed exits 0" test $? -eq 0
check "another seed runs as long" test "$(wc -l <"$work/seed/unhappiness.output")" -eq 250
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
check "negative duration is refused" reported "$work/negative" $? "must not be negative"

mkdir "$work/missing"
printf '(list)' >"$work/missing/rarevadiv.scm"
run "$work/missing" --batch
check "missing batchBrood is reported" reported "$work/missing" $? "Can't find the parameters to create batchBrood"

mkdir "$work/nomodel"
sed -n '1,5p' "$archive" | sed 's/250))$/250)))/' >"$work/nomodel/rarevadiv.scm"
run "$work/nomodel" --batch
check "missing modelBrood is reported" reported "$work/nomodel" $? "Can't find the parameters to create modelBrood"

mkdir "$work/broken"
printf '(list (cons ' >"$work/broken/rarevadiv.scm"
run "$work/broken" --batch
check "broken archive is reported" reported "$work/broken" $? "unexpected EOF"

# Entries of the wrong class: a batch brood under "modelBrood" would read
# itself again until the stack ran out.
mkdir "$work/swapped"
printf "(list (cons 'batchBrood (make-instance 'WarmlingModelBrood)))" >"$work/swapped/rarevadiv.scm"
run "$work/swapped" --batch
check "a model brood under batchBrood is reported" reported "$work/swapped" $? \
  "The parameters to create batchBrood are a WarmlingModelBrood, not a WarmlingBatchBrood"
mkdir "$work/nested"
printf "(list (cons 'batchBrood (make-instance 'WarmlingBatchBrood)) (cons 'modelBrood (make-instance 'WarmlingBatchBrood)))" \
  >"$work/nested/rarevadiv.scm"
run "$work/nested" --batch
check "a batch brood under modelBrood is reported" reported "$work/nested" $? \
  "The parameters to create modelBrood are a WarmlingBatchBrood, not a WarmlingModelBrood"

# Archives that are no archive, or hold what no batch run can use.
mkdir "$work/dir" "$work/fifo" "$work/trail" "$work/env" "$work/sync" "$work/minint"
mkdir "$work/dir/rarevadiv.scm"
mkfifo "$work/fifo/rarevadiv.scm"
{ cat "$archive"; echo "(list)"; } >"$work/trail/rarevadiv.scm"
printf "(list (cons 'batchBrood (make-instance 'BroodEnvironment)))" >"$work/env/rarevadiv.scm"
sed 's/#:loggingFrequency 1/#:loggingFrequency 1 #:syncType nil/' "$archive" >"$work/sync/rarevadiv.scm"
sed 's/#:experimentDuration 250/#:experimentDuration -9223372036854775808/' "$archive" >"$work/minint/rarevadiv.scm"
while IFS='|' read -r dir text; do
  run "$work/$dir" --batch
  check "archive case $dir is reported" reported "$work/$dir" $? "$text"
done <<'CASES'
dir|archive ./rarevadiv.scm is a directory
fifo|archive ./rarevadiv.scm is not a regular file
trail|archive ./rarevadiv.scm holds more than one expression
env|a second BroodEnvironment cannot be made
sync|instance variable `syncType' holds an object that an archive may not clear
minint|value -9223372036854775808 is out of the range of instance variable `experimentDuration'
CASES

# Without a home directory the run still writes its output.
mkdir "$work/nohome" && cp "$archive" "$work/nohome/rarevadiv.scm"
{ (cd "$work/nohome" && HOME="" exec "$program" --batch >stdout 2>stderr); } 2>/dev/null
check "an empty HOME runs as usual" test $? -eq 0
check "an empty HOME writes the expected values" cmp -s "$work/nohome/unhappiness.output" "$expected"

# Parameters the model cannot run with.
mkdir "$work/huge" "$work/nobugs"
sed -e 's/#:worldXSize 80/#:worldXSize 1048576/' -e 's/#:worldYSize 80/#:worldYSize 1048576/' "$archive" \
  >"$work/huge/rarevadiv.scm"
sed -e 's/#:numBugs 100/#:numBugs -1/' "$archive" >"$work/nobugs/rarevadiv.scm"
run "$work/huge" --batch
check "a world beyond memory is refused" reported "$work/huge" $? "A world of 1048576 by 1048576 cells"
run "$work/nobugs" --batch
check "a negative count is refused" reported "$work/nobugs" $? "The number of warmlings must not be negative"

# Writes that fail: the output file on a full device, the banner on a full
# device, and a file-size limit below the output's size.
mkdir "$work/full" "$work/fullout" "$work/limit"
for dir in full fullout limit; do cp "$archive" "$work/$dir/rarevadiv.scm"; done
ln -s /dev/full "$work/full/unhappiness.output"
run "$work/full" --batch
check "a full disk under the output is reported" reported "$work/full" $? \
  "cannot write the output file unhappiness.output: No space left on device"
{ (cd "$work/fullout" && HOME="$work/home" exec "$program" --batch >/dev/full 2>stderr); } 2>/dev/null
check "a full disk under the banner is reported" reported "$work/fullout" $? \
  "cannot write the standard output: No space left on device"
(ulimit -f 4 && run "$work/limit" --batch)
check "a file-size limit is reported" reported "$work/limit" $? \
  "cannot write the output file unhappiness.output: File too large"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
