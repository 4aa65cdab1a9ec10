#!/usr/bin/env bash
# What a desktop gets from the build: installs it into a temporary prefix and builds the
# Debian package, then checks the files, the menu entry, the software-centre description,
# the programs' version and start-up, and the package's contents and dependencies.
# Usage: check-packaging.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build="$1"
source="$2"
version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

failed=0
fail() {
  echo "FAILED: $*" >&2
  failed=1
}

for tool in desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool (./test.sh installs it)" >&2; exit 1; }
done

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# Exactly the expected files.
{
  sed -e 's/#.*//' -e '/^$/d' "$source/tests/packaging/installed-files.txt"
  (cd "$build/samples" && find RecordFolder -type f | sed 's|^|share/qelviewer/samples/|')
} | sort > "$work/expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort) > "$work/installed"
diff -u "$work/expected" "$work/installed" || fail "installed files differ from the list"
[ "$(wc -l < "$work/expected")" -gt 30 ] || fail "the sample folder is missing from the build"

desktop-file-validate "$prefix/share/applications/example.qelsoft.QelViewer.desktop" ||
  fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/example.qelsoft.QelViewer.metainfo.xml" >"$work/as" 2>&1 ||
  { cat "$work/as" >&2; fail "metainfo"; }

# One version, the project's, from both programs; without a display for the viewer.
viewer_version="$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/qelviewer" --version)"
cli_version="$("$prefix/bin/qelviewer-cli" --version)"
[ "$viewer_version" = "QelViewer $version" ] || fail "qelviewer --version: $viewer_version"
[ "$cli_version" = "qelviewer-cli $version" ] || fail "qelviewer-cli --version: $cli_version"
env -u QT_QPA_PLATFORM -u DISPLAY "$prefix/bin/qelviewer" --help | grep -q FOLDER || fail "qelviewer --help"

# A folder that is not there ends the viewer before any window, saying why.
status=0
"$prefix/bin/qelviewer" "$work/nowhere" 2>"$work/err" || status=$?
[ "$status" = 2 ] && grep -q "folder not found: $work/nowhere" "$work/err" ||
  fail "qelviewer with a missing folder: status $status, $(cat "$work/err")"

# The installed samples read as the built ones (their dates are the files' times), and the
# programs say nothing on standard error when all goes well, with or without a session.
samples="$prefix/share/qelviewer/samples/RecordFolder"
cli="$prefix/bin/qelviewer-cli"
cmp -s <("$cli" table "$build/samples/RecordFolder" --utf8) <("$cli" table "$samples" --utf8) ||
  fail "installed samples read differently"
for session in keep unset; do
  runtime=()
  [ "$session" = unset ] && runtime=(-u XDG_RUNTIME_DIR)
  env "${runtime[@]}" "$cli" graph "$samples" --group 0 --kind steps --size 300x200 "$work/g.png" >/dev/null 2>"$work/err" &&
    env "${runtime[@]}" "$cli" report "$samples" --group 1 "$work/g.pdf" >/dev/null 2>>"$work/err" ||
    fail "qelviewer-cli on the samples"
  [ ! -s "$work/err" ] || fail "standard error of a good run ($session XDG_RUNTIME_DIR): $(cat "$work/err")"
done

# The package holds the same files under /usr and depends on what the programs load.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$(ls "$work"/deb/qelviewer_"$version"_*.deb 2>/dev/null | head -n1)"
if [ -z "$deb" ]; then
  fail "no qelviewer_${version}_*.deb"
else
  # Mode, owner, size, date and time come before each name, which may hold spaces.
  dpkg-deb -c "$deb" | grep -v '^d' | sed -E -e 's/^([^ ]+ +){5}//' -e 's|^\./usr/||' | sort > "$work/packaged"
  diff -u "$work/expected" "$work/packaged" || fail "packaged files differ from the list"
  depends="$(dpkg-deb -f "$deb" Depends)"
  for needed in fonts-noto-cjk qt6-qpa-plugins libqt6sql6-sqlite libqt6widgets6 libqt6svg6 libqt6printsupport6 libc6; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
  done
fi

[ "$failed" = 0 ] && echo "packaging checks passed"
exit "$failed"
