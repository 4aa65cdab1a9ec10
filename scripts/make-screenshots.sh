#!/usr/bin/env bash
# Makes the README's pictures from the sample folder of a build: the main window with the
# learner list, the same window with a learner's practice graph (both also in English) and with the class board
# (names shown and hidden), a printed personal report page (also in English), and the class board during a
# lesson as drawn alone and as printed; then those of the history views from two weeks of
# a simulated class, in the window and drawn alone. The window runs on a private X display
# under openbox with a private settings store and history, so nothing of the user's is
# touched; its record folder is copied to /tmp/RecordFolder for the time, for a plain path.
# Needs Xvfb, openbox, xdotool, ImageMagick and poppler-utils.
# Usage: scripts/make-screenshots.sh [BUILD_DIR] [DISPLAY_NUMBER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
display=":${2:-43}"
out="$root/docs/images"
samples="$build/samples/RecordFolder"
viewer="$build/app/qelviewer"
cli="$build/tools/qelviewer-cli"
boardshot="$build/tools/qelviewer-boardshot"
for tool in Xvfb openbox xdotool import convert pdftoppm; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
[ -x "$viewer" ] && [ -d "$samples" ] || { echo "build first: $viewer, $samples" >&2; exit 1; }

work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display"
# Japanese, whatever the locale; the English pictures say so.
export QEL_LANGUAGE=ja
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# The window's place and size in twips, 960 x 600 pixels at 96 dpi, and a splitter wide
# enough for the longest name.
mkdir -p "$work/config/QelSoft"
printf '[Env]\nViewerTop=600\nViewerLeft=600\nViewerHeight=9000\nViewerWidth=14400\nSplitter=3000\n' \
  > "$work/config/QelSoft/QelViewer.conf"

# Starts the viewer on the record folder with the history database $1 and waits for its
# window (once the splash, as wide as a third of it, has gone).
start_viewer() {
  XDG_CONFIG_HOME="$work/config" QEL_HISTORY_DB="$1" "$viewer" "$folder" >/dev/null 2>&1 &
  viewer_pid=$!
  pids+=("$viewer_pid")
  window=""
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name '^QelViewer$' 2>/dev/null); do
      width="$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')"
      [ "${width:-0}" -ge 900 ] && window="$w"
    done
    [ -n "$window" ] && [ "$(xdotool search --onlyvisible --name '^QelViewer$' | wc -l)" = 1 ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "the viewer's window did not appear" >&2; exit 1; }
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  sleep 1.5
}

# Alt+F4 goes to the window manager, so it is typed, not sent to the window. Closing may end
# the window before the key is released, so xdotool's complaint is no error; a viewer that
# is still there after five seconds is ended.
close_viewer() {
  xdotool windowactivate --sync "$window" key alt+F4 >/dev/null 2>&1 || true
  for _ in $(seq 50); do kill -0 "$viewer_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$viewer_pid" 2>/dev/null || true
}

# A dialog the viewer opened, by its title, framed.
shoot_dialog() {
  local dialog=""
  for _ in $(seq 50); do
    dialog="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" && [ -n "$dialog" ] && break
    sleep 0.2
  done
  [ -n "$dialog" ] || { echo "no window named $1" >&2; exit 1; }
  sleep 1
  import -frame -window "$dialog" "$2"
  # The dialog may close before the key is released.
  xdotool key --window "$dialog" Escape >/dev/null 2>&1 || true
  sleep 0.5
}

# A copy of the samples at a plain path, so the title strip shows the whole of it, with the
# files written as in a lesson going on now: some learners at it, some earlier today or this
# week, the rest long ago.
folder=/tmp/RecordFolder
[ -e "$folder" ] && { echo "$folder is in the way" >&2; exit 1; }
cleanup_folder() { rm -rf "$folder"; }
trap 'cleanup; cleanup_folder' EXIT
cp -a "$samples" "$folder"
i=0
for file in "$folder"/*_Qel?.dat; do
  case $((i % 12)) in
    0|1|2|3) touch -d "-$((1 + i % 4)) minutes" "$file" ;;
    4|5) touch -d "-$((60 + i % 40)) minutes" "$file" ;;
    6|7|8|9|10) touch -d "-$((2 + i % 4)) days" "$file" ;;
  esac
  i=$((i + 1))
done

mkdir -p "$out"
start_viewer "$work/history.db"
import -frame -window "$window" "$out/main-window.png"
# The tree has the focus: the second learner down shows its practice graph.
xdotool key --window "$window" Down Down
sleep 1.5
import -frame -window "$window" "$out/practice-graph.png"
# The class board in the window, with the names shown and hidden.
xdotool key --window "$window" ctrl+b
sleep 1.5
import -frame -window "$window" "$out/board-window.png"
xdotool key --window "$window" F9
sleep 1.5
import -frame -window "$window" "$out/board-window-hidden.png"
close_viewer

# The same window and graph in English.
QEL_LANGUAGE=en start_viewer "$work/history.db"
import -frame -window "$window" "$out/main-window-en.png"
xdotool key --window "$window" Down Down
sleep 1.5
import -frame -window "$window" "$out/practice-graph-en.png"
close_viewer

# The window's history views, on a class that practised last week and this week.
rm -rf "$folder"
cmake --build "$build" --target history_screenshots >/dev/null
QEL_HISTORY_DB="$work/class.db" "$build/scripts/history_screenshots" --class "$folder"
start_viewer "$work/class.db"
# The second learner's pop-up from the tree, then its "練習の記録".
xdotool key --window "$window" Down Down
sleep 1
xdotool key --window "$window" Menu
sleep 0.5
xdotool key h
shoot_dialog '^練習の記録$' "$out/history-window.png"
# The group's pop-up from the group node, then "今週と先週".
xdotool key --window "$window" Home
sleep 1
xdotool key --window "$window" Menu
sleep 0.5
xdotool key w
shoot_dialog '^今週と先週' "$out/weeks-window.png"
close_viewer

"$cli" report "$samples" --personal "Goto Akari" "$work/report.pdf" >/dev/null
pdftoppm -r 60 -png -singlefile "$work/report.pdf" "$work/report"
convert "$work/report.png" -bordercolor '#909090' -border 1 "$out/printed-report.png"
QEL_LANGUAGE=en "$cli" report "$samples" --personal "Goto Akari" "$work/report-en.pdf" >/dev/null
pdftoppm -r 60 -png -singlefile "$work/report-en.pdf" "$work/report-en"
convert "$work/report-en.png" -bordercolor '#909090' -border 1 "$out/printed-report-en.png"

# practice-history.png, weekly-comparison.png, weekly-report.png (offscreen).
"$build/scripts/history_screenshots" "$out" >/dev/null

# The class board, drawn offscreen from another copy of the samples whose files were written
# as in a lesson at 10:40: some learners at it now, some earlier that morning or that week,
# the rest long ago; once more under a dark theme.
cp -a "$samples" "$work/Lesson"
i=0
for file in "$work/Lesson"/*_Qel?.dat; do
  case $((i % 6)) in
    0|1) touch -d "2026-12-08 10:3$((6 + i % 4)):00" "$file" ;;
    2) touch -d "2026-12-08 09:$((10 + i % 40)):00" "$file" ;;
    3|4) touch -d "2026-12-0$((3 + i % 4)) 15:00:00" "$file" ;;
  esac
  i=$((i + 1))
done
XDG_CONFIG_HOME="$work/config" "$boardshot" "$work/Lesson" --now 2026-12-08T10:40:00 --dark "$out/class-board-dark.png" \
  "$out/class-board.png" "$out/class-board-hidden.png" "$work/sheet.pdf"
pdftoppm -r 60 -png -singlefile "$work/sheet.pdf" "$work/sheet"
convert "$work/sheet.png" -bordercolor '#909090' -border 1 "$out/class-sheet.png"
ls -l "$out"
