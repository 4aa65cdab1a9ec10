#!/usr/bin/env bash
# Runs a test program on a system with no inotify watches left to give, as when other
# programs have used them all: in a user namespace of its own, whose watch limit an ordinary
# user may set. Skipped where no such namespace can be made.
# Usage: without-watches.sh PROGRAM [ARGUMENT ...]
set -uo pipefail
limit=/proc/sys/user/max_inotify_watches
if ! command -v unshare >/dev/null || ! unshare --user --map-root-user sh -c "echo 0 > $limit" 2>/dev/null; then
  echo "SKIPPED: no user namespace with a watch limit of its own here"
  exit 77
fi
exec unshare --user --map-root-user env QEL_NO_WATCHES_LEFT=1 sh -c "echo 0 > $limit && exec \"\$@\"" sh "$@"
