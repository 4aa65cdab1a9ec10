#!/usr/bin/env bash
# The viewer under a real window manager (Xvfb and openbox): the first start stores the
# design size; closing at a size and starting again gives the same window, ten times over;
# a window closed maximised opens maximised.
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
fail() { echo "FAILED: $*" >&2; exit 1; }

# A display of its own: the server picks a free number and writes it.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
# The settings of this test only, the manager's (its keys) included, and a practice history
# of its own.
export XDG_CONFIG_HOME="$work/config" QEL_HISTORY_DB="$work/history.db" QT_QPA_PLATFORM=xcb
openbox >"$work/openbox.log" 2>&1 &
manager=$!
# grep reads all its input: under pipefail, -q would let xprop die of a closed pipe.
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep window >/dev/null; }
up=""
for _ in $(seq 100); do managed && up=1 && break; sleep 0.1; done
[ -n "$up" ] || fail "openbox did not start: $(cat "$work/openbox.log")"

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
  for _ in $(seq 100); do
    window="$(mainWindow)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window: $(cat "$work/viewer.log")"
  # Wait until the window manager and the viewer are done placing it.
  local before="" now
  for _ in $(seq 50); do
    sleep 0.3
    now="$(inside)"
    [ "$now" = "$before" ] && return 0
    before="$now"
  done
  fail "the window keeps moving: $now"
}

close() {
  # A key pressed while the manager is still busy with the window can get lost: ask again.
  for _ in 1 2 3; do
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    xdotool key --clearmodifiers alt+F4 >/dev/null 2>&1
    for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$program" 2>/dev/null || break
  done
  kill -0 "$program" 2>/dev/null && fail "the viewer did not close"
  wait "$program"
  program=""
}

# First start: the design size goes into the store, and stays there after closing.
start
close
first="$(stored)"
echo "first start: $first"
case "$first" in *"ViewerHeight=9000 "*"ViewerWidth=14400 "*) ;; *) fail "first start stored $first" ;; esac

# Another size and place, then ten starts and closes that change nothing.
start
xdotool windowsize --sync "$window" 1000 700
xdotool windowmove --sync "$window" 120 90
sleep 0.5
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
for _ in $(seq 30); do maximised && break; sleep 0.1; done
maximised || fail "the window did not maximise"
sleep 0.5
close
whole="$(stored)"
for cycle in 1 2; do
  start
  maximised || fail "closed maximised, started as $(inside) (stored $whole)"
  close
  [ "$(stored)" = "$whole" ] || fail "maximised close $cycle stored $(stored), not $whole"
done
echo "maximised: $whole"
