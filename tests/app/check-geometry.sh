#!/usr/bin/env bash
# The viewer under a real window manager (Xvfb and openbox): the first start stores the
# design size; closing at a size and starting again gives the same window, ten times over;
# a window closed maximised opens maximised. A failure prints what the viewer, the X server
# and the window manager said.
# Usage: check-geometry.sh QELVIEWER
set -uo pipefail
viewer="$1"
skipped=77
for tool in Xvfb openbox xdotool xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing (./test.sh installs it)"; exit "$skipped"; }
done

work="$(mktemp -d)"
server="" manager="" program=""
cleanup() {
  for pid in $program $manager $server; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

report() {
  local log w
  for log in viewer xvfb openbox; do
    echo "--- $log.log"
    cat "$work/$log.log" 2>/dev/null
  done
  if [ -n "$program" ]; then
    if kill -0 "$program" 2>/dev/null; then
      echo "--- the viewer is running"
    else
      wait "$program"
      echo "--- the viewer ended with status $?"
    fi
  fi
  [ -n "${DISPLAY:-}" ] || return
  echo "--- windows named QelViewer on $DISPLAY"
  for w in $(xdotool search --name QelViewer 2>/dev/null); do
    echo "$w $(xwininfo -id "$w" 2>&1 | grep -E 'Map State|error' | tr -s ' ')"
  done
  xprop -root _NET_CLIENT_LIST 2>&1
}
fail() {
  echo "FAILED: $*" >&2
  report >&2
  exit 1
}

# openbox 3.6 can leave an event it has already read (a map, move or key request) unhandled
# until another one reaches it; a change of a root window property always does.
nudge() { xprop -root -f _QEL_NUDGE 32c -set _QEL_NUDGE 1 2>/dev/null; }
# within SECONDS COMMAND...: whether COMMAND succeeds within that time, asked ten times a second.
within() {
  local tries=$(($1 * 10))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    nudge
    sleep 0.1
  done
  return 1
}

# A display of its own: the server picks a free number and writes it. Without -noreset the
# server resets whenever its last client leaves, refusing connections meanwhile.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
# The number is complete with its line end.
displayWritten() { [ "$(wc -l <"$work/display")" -ge 1 ]; }
for _ in $(seq 100); do displayWritten && break; sleep 0.1; done
displayWritten || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
# The settings of this test only, the manager's (its keys) included, and a practice history
# of its own.
export XDG_CONFIG_HOME="$work/config" QEL_HISTORY_DB="$work/history.db" QT_QPA_PLATFORM=xcb
# openbox claims the screen early in its start-up and reads events long before it handles
# them; it runs the start-up command when it is ready.
openbox --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1 &
manager=$!
managerReady() { [ -e "$work/openbox-ready" ] || { kill -0 "$manager" 2>/dev/null || fail "openbox ended"; false; }; }
for _ in $(seq 100); do managerReady && break; sleep 0.1; done
managerReady || fail "openbox did not start"

# In the sanitizer build: the X11 keyboard set-up (libxkbcommon-x11) hands strndup names
# without a final NUL, which strict string checks report as an overflow. Not this program's.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
mkdir -p "$work/records"
store="$XDG_CONFIG_HOME/QelSoft/QelViewer.conf"
window=""

stored() { grep -E '^Viewer(Top|Left|Height|Width)=' "$store" | sort | tr '\n' ' '; }
inside() { xwininfo -id "$window" | grep -E 'Absolute upper-left|Width:|Height:' | tr -s ' \n' ' '; }
maximised() { xprop -id "$window" _NET_WM_STATE | grep _NET_WM_STATE_MAXIMIZED_VERT >/dev/null; }
# The splash has the same caption; the main window is the normal one.
mainWindow() {
  local w
  for w in $(xdotool search --onlyvisible --name '^QelViewer$' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep _NET_WM_WINDOW_TYPE_NORMAL >/dev/null && echo "$w" && return
  done
}

start() {
  "$viewer" "$work/records" >>"$work/viewer.log" 2>&1 &
  program=$!
  window=""
  within 10 foundWindow || fail "no window"
  settle || fail "the window keeps moving: $(inside)"
}

foundWindow() {
  window="$(mainWindow)"
  [ -n "$window" ]
}

# Until the window manager and the viewer are done placing the window.
settle() {
  local before="" now
  for _ in $(seq 50); do
    nudge
    sleep 0.3
    now="$(inside)"
    [ "$now" = "$before" ] && return 0
    before="$now"
  done
  return 1
}

active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; }
ended() { ! kill -0 "$program" 2>/dev/null; }

close() {
  # A key pressed while the manager is still busy with the window can get lost: ask again.
  for _ in 1 2 3; do
    xdotool windowactivate "$window" >/dev/null 2>&1
    within 5 active
    xdotool key --clearmodifiers alt+F4 >/dev/null 2>&1
    within 5 ended && break
  done
  ended || fail "the viewer did not close"
  wait "$program"
  program=""
}

# resize|move X Y: as the user drags the window's edge or caption.
changed() { [ "$(inside)" != "$1" ]; }
place() {
  local before
  before="$(inside)"
  xdotool "window$1" "$window" "$2" "$3"
  within 5 changed "$before" || fail "window$1 $2 $3 changed nothing: $before"
  settle || fail "the window keeps moving: $(inside)"
}

# First start: the design size goes into the store, and stays there after closing.
start
close
first="$(stored)"
echo "first start: $first"
case "$first" in *"ViewerHeight=9000 "*"ViewerWidth=14400 "*) ;; *) fail "first start stored $first" ;; esac

# Another size and place, then ten starts and closes that change nothing.
start
place size 1000 700
place move 120 90
close
expected="$(stored)"
start
shown="$(inside)"
close
for cycle in $(seq 10); do
  start
  [ "$(inside)" = "$shown" ] || fail "start $cycle shows $(inside), not $shown"
  close
  [ "$(stored)" = "$expected" ] || fail "close $cycle stored $(stored), not $expected"
done
echo "ten starts: $expected"

# Maximised by a double-click on the caption, closed, started again: maximised again.
start
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')
xdotool mousemove $((x + 200)) $((y - 10)) click --repeat 2 --delay 80 1
within 3 maximised || fail "the window did not maximise"
settle || fail "the window keeps moving: $(inside)"
close
whole="$(stored)"
for cycle in 1 2; do
  start
  maximised || fail "closed maximised, started as $(inside) (stored $whole)"
  close
  [ "$(stored)" = "$whole" ] || fail "maximised close $cycle stored $(stored), not $whole"
done
echo "maximised: $whole"
