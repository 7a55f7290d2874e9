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
. "$(dirname "$0")/check.sh"

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

# A window manager's close: WM_DELETE_WINDOW sent to the window, as a
# client message through the X server.
cat >"$work/close.c" <<'EOF'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (!display || argc != 2) return 1;
  XEvent event = {0};
  event.xclient.type = ClientMessage;
  event.xclient.window = strtoul(argv[1], NULL, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return 0;
}
EOF
cc -o "$work/close" "$work/close.c" -lX11 || { echo "the close helper did not build"; exit 1; }
closeWindow() { "$work/close" "$1"; }
# The text the program holds as the selection, read by a second Tk client.
echo 'wm withdraw .; puts [selection get]; exit' >"$work/selection.tcl"
selected() { wish "$work/selection.tcl" 2>/dev/null; }

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
  kill "$pid" 2>/dev/null  # one that went on would hold the script
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
[ -n "$(controls)" ] || { head -20 "$work/stderr"; finish; exit; }
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
[ -n "$(window '^Heat World$')" ] || { head -20 "$work/stderr"; finish; exit; }
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

# A value typed while the model runs stays as typed until Return, which
# sets the variable: the refreshes after it show the value set. The keys
# go in slowly, with refreshes between them.
start
await 'test -n "$(controls)"'
setApart
await 'test -n "$(window "^WarmlingModelBrood$")"'
model=$(window '^WarmlingModelBrood$')
press Start
check "the run starts before the typing" await 'test -n "$(window "^Heat World$")"'
xdotool mousemove --window "$model" 240 39 click --repeat 3 1
xdotool type --delay 150 4321
sleep 0.5
xdotool key Return
sleep 0.5
xdotool mousemove --window "$model" 240 39 click --repeat 3 1
check "a value typed during the run is set on Return" test "$(selected)" = 4321
press Quit
ended "Quit after typing during the run"

# The model, dragged by its display's title onto the argument of the
# observer's graphBug:, is refused when called: a warning, and the run
# goes on.
start --show-current-time
await 'test -n "$(controls)"'
setApart
await 'test -n "$(window "^WarmlingObserverBrood$")"'
xdotool windowmove "$(window '^WarmlingObserverBrood$')" 400 0
press Next
await 'test -n "$(window "^Heat World$")"'
for w in '^Heat World$' '^Unhappiness of bugs vs. time$'; do xdotool windowmove "$(window "$w")" 700 500; done
xdotool windowraise "$(window '^WarmlingModelBrood$')"
xdotool mousemove 60 14 mousedown 1
for x in 100 200 300 400 500 540 550; do
  xdotool mousemove $x 66
  sleep 0.15
done
xdotool mouseup 1
xdotool mousemove 450 66 click 1
press Next
check "a wrong object given to graphBug: leaves the run going" await 'test "$(now)" = 1'
press Quit
ended "Quit after graphBug: of the model" $'*** event raised for warning: WarningMessage
graphBug: WarmlingModelBrood has no getUnhappiness; nothing is graphed.
*** execution continuing...\n'

# Closing the run-control window (the window manager's WM_DELETE_WINDOW)
# is Quit, while the program waits and while it runs.
start
await 'test -n "$(controls)"'
closeWindow "$(controls)"
ended "Closing the run-control window while stopped"

start --show-current-time
await 'test -n "$(controls)"'
setApart
press Start
check "the run goes on before the window is closed" await 'test "$(now)" -gt 3'
closeWindow "$(controls)"
ended "Closing the run-control window while running"

# A Save that cannot be written (another application's entry is no list)
# is a warning naming the file and the entry; the run goes on and the
# archive stays as it was.
printf "(archiver (list (cons '(other batch) (list (cons 'k 5)))))" >"$HOME/.broodArchiver"
cp "$HOME/.broodArchiver" "$work/archive-before-save"
saveWarning="> lisp archive $HOME/.broodArchiver is not saved: entry \`k' of \`other/batch': parsed ArchiverList instance expected or nil"
start --show-current-time
await 'test -n "$(controls)"'
setApart
press Save
check "a Save that cannot be written warns" await 'grep -qxF -- "$saveWarning" "$work/stderr"'
press Next
check "the run goes on after a failed Save" await 'test "$(now)" = 0'
check "a failed Save leaves the archive as it was" cmp -s "$HOME/.broodArchiver" "$work/archive-before-save"
press Quit
check "after a failed Save Quit ends the program" await '! kill -0 $pid 2>/dev/null'
wait "$pid"
check "after a failed Save the program exits with status 0" test $? -eq 0
pid=0
check "the failed Save's warning is all that is on standard error" \
  test "$(grep -cv -e '^\*\*\* ' -e '^> lisp archive ' "$work/stderr")" -eq 0
finish
