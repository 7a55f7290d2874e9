#!/usr/bin/env bash
# End-to-end run of the interactive program as a person drives it: under an
# X server of its own, find the windows by title, press the run-control
# buttons and read back what is shown (titles, pixels, the saved archive).
# Usage: gui_test.sh <rarevadiv program>
set -u
program=$(realpath "$1")
work=$(mktemp -d)
server=0 pid=0
cleanup() {
  [ "$pid" -gt 0 ] && kill "$pid" 2>/dev/null
  [ "$server" -gt 0 ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
passed=0 failed=0
check() {  # check <name> <command...>
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# Waits up to ten seconds for the condition, a shell text evaluated anew
# at each try.
await() {  # await <condition>
  for _ in $(seq 100); do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}
window() { xdotool search --name "$1" 2>/dev/null | head -1; }
title() { xdotool getwindowname "$1" 2>/dev/null; }
# The run-control window is found by its geometry record, as its title
# shows the time.
controls() { xdotool search --classname '^theTopLevelBrood-actionCache-panelWidget$' 2>/dev/null | head -1; }
press() {  # press <button>: the run-control buttons stand 36 pixels apart
  local row
  case $1 in Start) row=0 ;; Stop) row=1 ;; Next) row=2 ;; Save) row=3 ;; Quit) row=4 ;; esac
  xdotool mousemove --window "$(controls)" 60 $((row * 36 + 18)) click 1
}
now() { title "$(controls)"; }
# A picture of the window (import asks for a click without one).
shot() { if [ -n "$1" ]; then import -window "$1" "$2" 2>/dev/null; else : >"$2"; fi; }
# The number of pixels of the colour in the picture.
pixels() {  # pixels <png> <colour>
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

exec 3>"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
server=$!
exec 3>&-
await 'test -s "$work/display"' || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
export HOME=$work/home
mkdir -p "$HOME"
# Fontconfig, which Tk's fonts load, keeps its caches to the end of the
# process: that is the library's memory, not a leak of the program's (for
# the sanitizer build).
echo "leak:libfontconfig.so" >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
cd "$work" || exit 1

start() {  # start <options...>: the program, its output in $work
  "$program" "$@" >"$work/stdout" 2>"$work/stderr" &
  pid=$!
}
# ended <what> [<expected>]: the program has gone, with status 0 and nothing
# on standard error but the expected text.
ended() {
  check "$1: the program ends" await '! kill -0 $pid 2>/dev/null'
  wait "$pid"
  check "$1: the program exits with status 0" test $? -eq 0
  pid=0
  printf '%s' "${2:-}" >"$work/expected-stderr"
  check "$1: nothing else on standard error" cmp -s "$work/stderr" "$work/expected-stderr"
  cmp -s "$work/stderr" "$work/expected-stderr" || head -20 "$work/stderr"
}

# Without a window manager every window opens at 0,0, where the probe
# displays stay: the run-control window goes to the right, on top.
setApart() {
  xdotool windowmove "$(controls)" 1150 0
  xdotool windowraise "$(controls)"
}

# Quit before the first step: nothing is built, nothing runs.
start
check "the run-control window opens" await 'test -n "$(controls)"'
[ -n "$(controls)" ] || { head -20 "$work/stderr"; finish; }
setApart
press Quit
ended "Quit before the first step"

start --show-current-time

await 'test -n "$(controls)"'
check "the run-control window is titled ProcCtrl" test "$(now)" = ProcCtrl
setApart
check "the model's probe display opens" await 'test -n "$(window "^WarmlingModelBrood$")"'
check "the observer's probe display opens" await 'test -n "$(window "^WarmlingObserverBrood$")"'
xdotool windowmove "$(window '^WarmlingObserverBrood$')" 400 0 2>/dev/null
# Before the first step, numBugs (the first row of the model's display) is
# set to 7 as a person would: select the entry's text, type, press Return.
model=$(window '^WarmlingModelBrood$')
xdotool mousemove --window "$model" 240 39 click --repeat 3 1 type 7
xdotool key Return

press Next
check "the raster opens on the first step" await 'test -n "$(window "^Heat World$")"'
check "the graph opens on the first step" await 'test -n "$(window "^Unhappiness of bugs vs. time$")"'
[ -n "$(window '^Heat World$')" ] || { head -20 "$work/stderr"; finish; }
raster=$(window '^Heat World$') graph=$(window '^Unhappiness of bugs vs. time$')
xdotool windowmove "$raster" 820 0 2>/dev/null
xdotool windowmove "$graph" 700 400 2>/dev/null
# The title shows the time of the last delivery of requests, made at the
# start of each step: the first Next stops after step 0.
check "the first Next runs step 0" await 'test "$(now)" = 0'
press Next
check "another Next runs one step more" await 'test "$(now)" = 1'
shot "$raster" "$work/raster-1.png"
shot "$graph" "$work/graph-1.png"
# Each warmling is one cell, four by four pixels at zoom 4.
check "the seven warmlings edited in are drawn green" test "$(pixels "$work/raster-1.png" '#00ff00')" -eq 112

press Start
check "Start runs on" await 'test "$(now)" -gt 5'
press Stop
sleep 0.3
held=$(now)
sleep 0.5
check "Stop holds the time" test "$(now)" = "$held"
shot "$raster" "$work/raster-held.png"
shot "$graph" "$work/graph-held.png"
check "the raster changed while running" bash -c "! cmp -s '$work/raster-1.png' '$work/raster-held.png'"
check "the graph changed while running" bash -c "! cmp -s '$work/graph-1.png' '$work/graph-held.png'"

press Save
check "Save writes the per-user archive" await 'test -s "$HOME/.broodArchiver"'
for record in theTopLevelBrood-actionCache-panelWidget worldRaster unhappyGraph; do
  check "the archive holds the geometry of $record" grep -q "$record" "$HOME/.broodArchiver"
done
check "Save leaves the run stopped" test "$(now)" = "$held"

press Quit
ended "Quit after a run"

# A display interval edited to 0 in the observer's display is refused with a
# warning, and the displays still follow every step.
start --show-current-time
await 'test -n "$(controls)"'
setApart
await 'test -n "$(window "^WarmlingObserverBrood$")"'
observer=$(window '^WarmlingObserverBrood$')
xdotool windowmove "$observer" 400 0 2>/dev/null
xdotool mousemove --window "$observer" 200 39 click --repeat 3 1 type 0
xdotool key Return
press Next
check "with displayFrequency 0 the raster still opens" await 'test -n "$(window "^Heat World$")"'
press Next
check "with displayFrequency 0 the display follows each step" await 'test "$(now)" = 1'
press Quit
ended "Quit after displayFrequency 0" $'*** event raised for warning: WarningMessage
displayFrequency 0 is below 1; displaying every time step.
*** execution continuing...\n'
finish
