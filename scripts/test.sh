#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the dependencies, builds Vellumix and runs the whole test suite under a virtual X
# server. Usage: scripts/test.sh [--sanitize address,undefined|thread] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=""
if [ "${1:-}" = "--sanitize" ]; then
    sanitize="$2"
    shift 2
fi

./scripts/install-deps.sh

build=build
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "$sanitize" ]; then
    build="build-${sanitize//,/-}"
    cmake_args+=(-DVELLUMIX_SANITIZE="$sanitize" -DVELLUMIX_BUILD_BENCH=OFF)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:verify_asan_link_order=0"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # The toolkit is not instrumented: memory it allocates in one of its threads and frees in
    # another (image scaling, its D-Bus thread) is handed over by synchronisation the sanitizer
    # cannot see, so only accesses made from instrumented code are checked.
    export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:ignore_noninstrumented_modules=1"
fi

cmake -S . -B "$build" "${cmake_args[@]}"
cmake --build "$build" -j "$(nproc)"
xvfb-run -a -s "-screen 0 1920x1200x24" \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
