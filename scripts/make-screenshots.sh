#!/usr/bin/env bash
# Makes the README's pictures from the sample folder of a build: the main window with the
# learner list, the same window with a learner's practice graph, a printed personal report
# page, and the class board during a lesson with names shown and hidden and as printed; then
# those of the history views from two weeks of a simulated class. The window runs on a private X display under openbox with a private
# settings store, so nothing of the user's is touched.
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
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# The window's place and size in twips, 960 x 600 pixels at 96 dpi.
mkdir -p "$work/config/QelSoft"
printf '[Env]\nViewerTop=600\nViewerLeft=600\nViewerHeight=9000\nViewerWidth=14400\n' \
  > "$work/config/QelSoft/QelViewer.conf"
# A copy of the samples (with their times, which are the last-practice dates), so the
# window's title strip shows a short path rather than the build's.
cp -a "$samples" "$work/RecordFolder"
XDG_CONFIG_HOME="$work/config" QEL_HISTORY_DB="$work/history.db" "$viewer" "$work/RecordFolder" >/dev/null 2>&1 &
viewer_pid=$!
pids+=("$viewer_pid")
# The main window, once the splash (as wide as a third of it) has gone.
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

mkdir -p "$out"
import -frame -window "$window" "$out/main-window.png"
# The tree has the focus: the second learner down shows its practice graph.
xdotool key --window "$window" Down Down
sleep 1.5
import -frame -window "$window" "$out/practice-graph.png"
# Closing may end the window before the key is released, so xdotool's complaint is no error.
xdotool key --window "$window" alt+F4 >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 "$viewer_pid" 2>/dev/null || break; sleep 0.1; done

"$cli" report "$samples" --personal "Goto Akari" "$work/report.pdf" >/dev/null
pdftoppm -r 60 -png -singlefile "$work/report.pdf" "$work/report"
convert "$work/report.png" -bordercolor '#909090' -border 1 "$out/printed-report.png"

# practice-history.png, weekly-comparison.png, weekly-report.png (offscreen).
cmake --build "$build" --target history_screenshots >/dev/null
"$build/scripts/history_screenshots" "$out" >/dev/null

# The class board, drawn offscreen from another copy of the samples whose files were written
# as in a lesson at 10:40: some learners at it now, some earlier that morning or that week,
# the rest long ago.
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
XDG_CONFIG_HOME="$work/config" "$boardshot" "$work/Lesson" --now 2026-12-08T10:40:00 \
  "$out/class-board.png" "$out/class-board-hidden.png" "$work/sheet.pdf"
pdftoppm -r 60 -png -singlefile "$work/sheet.pdf" "$work/sheet"
convert "$work/sheet.png" -bordercolor '#909090' -border 1 "$out/class-sheet.png"
ls -l "$out"
