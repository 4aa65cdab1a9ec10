#!/usr/bin/env bash
# The build and every test once more with clang, warnings as errors, and the address and
# undefined-behaviour sanitizers (any finding ends the program, so its test fails); then the
# fuzz targets this build also makes run for a fixed time each (scripts/ci-fuzz.sh).
# The build folder and the flags are variables.
set -euo pipefail
source "$(dirname "$0")/common.sh"
QEL_PACKAGES="$QEL_PACKAGES clang libclang-rt-14-dev"
qel_install_dependencies

QEL_CLANG_BUILD="${QEL_CLANG_BUILD:-$QEL_ROOT/build-clang}"
QEL_SANITIZERS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
QEL_CLANG_FLAGS="${QEL_CLANG_FLAGS:--Werror $QEL_SANITIZERS}"
QEL_CLANG_CMAKE_ARGS=(-DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_FLAGS=$QEL_CLANG_FLAGS" -DQEL_FUZZ=ON)
if command -v ccache >/dev/null; then
  QEL_CLANG_CMAKE_ARGS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

echo "clang build in $QEL_CLANG_BUILD with $QEL_CLANG_FLAGS"
qel_build "$QEL_CLANG_BUILD" "${QEL_CLANG_CMAKE_ARGS[@]}"
qel_test "$QEL_CLANG_BUILD"
"$QEL_ROOT/scripts/ci-fuzz.sh" "$QEL_CLANG_BUILD"
