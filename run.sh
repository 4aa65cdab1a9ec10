#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the bundled sample folder.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
qel_install_dependencies
qel_build

samples="$QEL_BUILD/samples/RecordFolder"
viewer="$QEL_BUILD/app/qelviewer"
if [ ! -x "$viewer" ]; then
  # Until the window is there, show the learner table of the sample folder.
  exec "$QEL_BUILD/tools/qelviewer-cli" table "$samples" --utf8
fi

# A private settings store, so the user's own settings are never touched: the
# trainer's "RecDir" value names the sample folder.
home="$QEL_BUILD/run-settings"
mkdir -p "$home/QelSoft"
printf '[Env]\nRecDir=%s\n' "$samples" > "$home/QelSoft/Qel.conf"
export XDG_CONFIG_HOME="$home"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; here is the learner table of the sample folder instead." >&2
  exec "$QEL_BUILD/tools/qelviewer-cli" table "$samples" --utf8
fi
exec "$viewer" "$@"
