#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the bundled sample folder
# (or on the folder given).
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
qel_install_dependencies
qel_build

samples="$QEL_BUILD/samples/RecordFolder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; here is the learner table of the sample folder instead." >&2
  exec "$QEL_BUILD/tools/qelviewer-cli" table "$samples" --utf8
fi
# A private settings store, so the user's own window place and record folder are never touched.
export XDG_CONFIG_HOME="$QEL_BUILD/run-settings"
exec "$QEL_BUILD/app/qelviewer" "${@:-$samples}"
