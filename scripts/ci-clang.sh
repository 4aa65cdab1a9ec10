#!/usr/bin/env bash
# The build and every test once more with clang and warnings as errors, so that code only
# gcc accepts is caught. The build folder and the flags are variables: another build (a
# sanitizer, a fuzzer) is one more block like this one.
set -euo pipefail
source "$(dirname "$0")/common.sh"
QEL_PACKAGES="$QEL_PACKAGES clang"
qel_install_dependencies

QEL_CLANG_BUILD="${QEL_CLANG_BUILD:-$QEL_ROOT/build-clang}"
QEL_CLANG_FLAGS="${QEL_CLANG_FLAGS:--Werror}"
QEL_CLANG_CMAKE_ARGS=(-DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_FLAGS=$QEL_CLANG_FLAGS")
if command -v ccache >/dev/null; then
  QEL_CLANG_CMAKE_ARGS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

echo "clang build in $QEL_CLANG_BUILD with $QEL_CLANG_FLAGS"
qel_build "$QEL_CLANG_BUILD" "${QEL_CLANG_CMAKE_ARGS[@]}"
qel_test "$QEL_CLANG_BUILD"
