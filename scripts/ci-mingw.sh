#!/usr/bin/env bash
# The Windows code is built nowhere else: the MinGW-w64 compiler parses every source of the
# libraries and programs as Windows sees it (-fsyntax-only: nothing is linked, so no Qt for
# Windows is needed), against Debian's Qt headers, with warnings as errors. The Windows-only
# code stays at least well-formed; sources only POSIX builds take are left out.
set -euo pipefail
source "$(dirname "$0")/common.sh"
QEL_PACKAGES="g++-mingw-w64-x86-64-posix qt6-base-dev qt6-svg-dev pkg-config"
qel_install_dependencies

compiler=x86_64-w64-mingw32-g++-posix
# Qt's headers as system headers: their own warnings are not ours. The Linux mkspec (the
# platform's definitions) is no Windows one and stays out.
qt_flags=()
for flag in $(pkg-config --cflags-only-I Qt6Core Qt6Concurrent Qt6Gui Qt6Widgets Qt6PrintSupport Qt6Svg Qt6Sql); do
  case "$flag" in
    */mkspecs/*) ;;
    -I*) qt_flags+=(-isystem "${flag#-I}") ;;
  esac
done
# QT_STATIC: without Qt's import libraries, declarations need no dllimport.
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE -DQT_STATIC
       -I "$QEL_ROOT" "${qt_flags[@]}" -DQEL_VERSION='"0"')

cd "$QEL_ROOT"
mapfile -t sources < <(find records session history base graphs reports config dialogs mainwindow app tools samples \
  -name '*.cpp' ! -name '*_posix*' | sort)
echo "MinGW-w64 syntax check of ${#sources[@]} sources"
printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P "$(nproc 2>/dev/null || echo 2)" "$compiler" "${flags[@]}"
echo "MinGW-w64 syntax check passed"
