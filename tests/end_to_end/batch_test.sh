#!/usr/bin/env bash
# End-to-end runs of the batch program: output file, reproducibility,
# logging switched off, the archive's errors and failing writes.
# Usage: batch_test.sh <rarevadiv program> <application archive> <expected output>
set -u
program=$1 archive=$2 expected=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/check.sh"
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
mkdir "$work/dir" "$work/fifo" "$work/trail" "$work/env" "$work/minint"
mkdir "$work/dir/rarevadiv.scm"
mkfifo "$work/fifo/rarevadiv.scm"
{ cat "$archive"; echo "(list)"; } >"$work/trail/rarevadiv.scm"
printf "(list (cons 'batchBrood (make-instance 'BroodEnvironment)))" >"$work/env/rarevadiv.scm"
sed 's/#:experimentDuration 250/#:experimentDuration -9223372036854775808/' "$archive" >"$work/minint/rarevadiv.scm"
while IFS='|' read -r dir text; do
  run "$work/$dir" --batch
  check "archive case $dir is reported" reported "$work/$dir" $? "$text"
done <<'CASES'
dir|archive ./rarevadiv.scm is a directory
fifo|archive ./rarevadiv.scm is not a regular file
trail|archive ./rarevadiv.scm holds more than one expression
env|a second BroodEnvironment cannot be made
minint|value -9223372036854775808 is out of the range of instance variable `experimentDuration'
CASES

# A nil for an object that creation made (as a shallow form writes every
# object) leaves that object in place.
mkdir "$work/sync"
sed 's/#:loggingFrequency 1/#:loggingFrequency 1 #:syncType nil/' "$archive" >"$work/sync/rarevadiv.scm"
run "$work/sync" --batch
check "syncType nil runs as usual" test $? -eq 0
check "syncType nil writes the expected values" cmp -s "$work/sync/unhappiness.output" "$expected"

# Small hostile archives: each is reported by what it should have held.
archives=$(dirname "$0")/archives
while IFS='|' read -r file text; do
  mkdir "$work/${file%.scm}" && cp "$archives/$file" "$work/${file%.scm}/rarevadiv.scm"
  run "$work/${file%.scm}" --batch
  check "archive $file is reported" reported "$work/${file%.scm}" $? "$text"
done <<'CASES'
widget-brood.scm|> class `Raster' cannot be created from an archive: it needs the Tk layer, which only an interactive run starts
widget-value.scm|> class `Label' cannot be created from an archive: it needs the Tk layer, which only an interactive run starts
brood-as-sync-type.scm|which an archive may replace only with one of its kind, not a WarmlingModelBrood
geometry-as-model.scm|> class `WindowGeometryRecord' cannot be created from an archive: it needs the Tk layer
text-as-number.scm|instance variable `loggingFrequency' takes a number, not the text `one'
CASES
# The per-user archive is read in batch runs too; one that ends too early
# is named.
mkdir -p "$work/truncated/home" && cp "$archive" "$work/truncated/rarevadiv.scm"
cp "$archives/truncated-system-archive" "$work/truncated/home/.broodArchiver"
{ (cd "$work/truncated" && HOME="$work/truncated/home" exec "$program" --batch >stdout 2>stderr); } 2>/dev/null
check "a truncated per-user archive is named" reported "$work/truncated" $? \
  "unexpected EOF in $work/truncated/home/.broodArchiver"

# Without a home directory the run still writes its output.
mkdir "$work/nohome" && cp "$archive" "$work/nohome/rarevadiv.scm"
{ (cd "$work/nohome" && HOME="" exec "$program" --batch >stdout 2>stderr); } 2>/dev/null
check "an empty HOME runs as usual" test $? -eq 0
check "an empty HOME writes the expected values" cmp -s "$work/nohome/unhappiness.output" "$expected"

# Parameters the model cannot run with, and those it runs with a warning.
mkdir "$work/huge" "$work/nobugs" "$work/crowd" "$work/hot"
sed -e 's/#:worldXSize 80/#:worldXSize 1048576/' -e 's/#:worldYSize 80/#:worldYSize 1048576/' "$archive" \
  >"$work/huge/rarevadiv.scm"
sed -e 's/#:numBugs 100/#:numBugs -1/' "$archive" >"$work/nobugs/rarevadiv.scm"
sed -e 's/#:numBugs 100/#:numBugs 2147483647/' "$archive" >"$work/crowd/rarevadiv.scm"
sed -e 's/#:maxOutputHeat 10000/#:maxOutputHeat 40000/' "$archive" >"$work/hot/rarevadiv.scm"
run "$work/huge" --batch
check "a world beyond memory is refused" reported "$work/huge" $? "A world of 1048576 by 1048576 cells"
run "$work/crowd" --batch
check "a population beyond memory is refused" reported "$work/crowd" $? "A population of 2147483647 warmlings"
run "$work/nobugs" --batch
check "a negative count runs without warmlings" test $? -eq 0
check "a negative count is warned about" grep -qx "A negative number of warmlings, -1, builds none." \
  "$work/nobugs/stderr"
check "a negative count runs its whole duration" test "$(wc -l <"$work/nobugs/unhappiness.output")" -eq 250
run "$work/hot" --batch
check "output heats beyond the hottest run" test $? -eq 0
check "output heats beyond the hottest are warned about" grep -qx \
  "Output heats up to 40000 leave at most 32767 in a cell." "$work/hot/stderr"

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

# Standard descriptors closed at start: the output file must not take
# their place. Without an X display an interactive run says what it needs.
mkdir "$work/closed" "$work/nodisplay"
cp "$archive" "$work/closed/rarevadiv.scm"
{ (cd "$work/closed" && HOME="$work/home" exec "$program" --batch <&- >&- 2>&-); } 2>/dev/null
check "closed standard descriptors exit 0" test $? -eq 0
check "closed standard descriptors leave the output alone" cmp -s "$work/closed/unhappiness.output" "$expected"
for display in unset :4242; do
  { (cd "$work/nodisplay" && if [ $display = unset ]; then unset DISPLAY; else export DISPLAY=$display; fi &&
     HOME="$work/home" exec "$program" --no >stdout 2>stderr); } 2>/dev/null
  check "no X display ($display) exits 1" test $? -eq 1
  check "no X display ($display) is explained" grep -q \
    "An interactive run needs an X display; use --batch to run without graphics.$" "$work/nodisplay/stderr"
done

finish
