# Shared by run.sh and test.sh: install what is missing, then configure and build.
# Sourced, not run.

QEL_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools libqt6sql6-sqlite qt6-translations-l10n libgl-dev libgtest-dev fonts-noto-cjk poppler-utils desktop-file-utils appstream dpkg-dev file xvfb openbox xdotool x11-utils"
QEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QEL_BUILD="${QEL_BUILD:-$QEL_ROOT/build}"

qel_missing_packages() {
  local missing="" p
  for p in $QEL_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  echo "$missing"
}

qel_install_dependencies() {
  local missing
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "This script installs with apt-get (Debian or Ubuntu). Install these packages by hand: $QEL_PACKAGES" >&2
    return 1
  fi
  missing="$(qel_missing_packages)"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing packages:$missing" >&2
    echo "Install them as root with:" >&2
    echo "  apt-get update && apt-get install -y$missing" >&2
    return 1
  fi
  echo "Installing:$missing"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# qel_build [BUILD_DIR [CMAKE_ARGUMENT ...]]: configure and build, in $QEL_BUILD by default.
qel_build() {
  local build="${1:-$QEL_BUILD}" jobs
  [ $# -gt 0 ] && shift
  jobs="$(nproc 2>/dev/null || echo 2)"
  cmake -S "$QEL_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
    cmake --build "$build" -j "$jobs"
}

# qel_test [BUILD_DIR]: every test of a build, offscreen.
qel_test() {
  (cd "${1:-$QEL_BUILD}" &&
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)")
}
