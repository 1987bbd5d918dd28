#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# in their own build folder and runs them, each from its seeds, the stored regressions and the
# corpus it has gathered so far. What breaks a target is left in <build>/fuzz/artifacts/<target>/;
# add it to fuzz/regressions/<target>/ once it is mended.
#
# Usage: scripts/fuzz.sh [--build DIR] [--time SECONDS] [--jobs N] [--smoke] [target...]
#   --time   seconds per target (default 600)
#   --jobs   targets run at once (default 1)
#   --smoke  the test suite's short run: 20 s per target; exits 77 (skipped) without clang
#   targets: photoreader audioreader profilereader avcarguments showreader (default: all)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=600
jobs=1
smoke=0
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$(realpath -m "$2"); shift 2 ;;
    --time) seconds="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --smoke) smoke=1; seconds=20; shift ;;
    -h | --help) sed -n '2,12p' "$0"; exit 0 ;;
    *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(photoreader audioreader profilereader avcarguments showreader)

cc=$(command -v clang || command -v clang-14 || true)
cxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$cc" ] || [ -z "$cxx" ] \
    || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, long) { return 0; }' \
    | "$cxx" -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - 2>/dev/null; then
    echo "fuzz: clang with libFuzzer is not installed (scripts/install-deps.sh installs it)" >&2
    [ $smoke = 1 ] && exit 77
    exit 1
fi

set -e
CC="$cc" CXX="$cxx" cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELLUMIX_FUZZ=ON -DVELLUMIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")
set +e

# Toolkit and driver allocations that live as long as the process are no reader's leak.
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run()
{
    local target=$1 corpus="$build/fuzz/corpus/$1" artifacts="$build/fuzz/artifacts/$1"
    mkdir -p "$corpus" "$artifacts"
    nice -n 10 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" "$build/fuzz/seeds/$target" \
        "$root/fuzz/regressions/$target" >"$build/fuzz/$target.log" 2>&1
    local status=$?
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz/$target.log" \
        | grep -o '[0-9]*$' | tail -1)
    echo "$target: ${seconds} s, ${runs:-?} inputs, corpus $(ls "$corpus" | wc -l) files," \
        "exit $status, log $build/fuzz/$target.log"
    return $status
}

status=0
pids=()
for target in "${targets[@]}"; do
    run "$target" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
if [ $status != 0 ]; then
    echo "fuzz: a target found a fault; see its log and $build/fuzz/artifacts/" >&2
    tail -n 40 "$build"/fuzz/*.log >&2
fi
exit $status
