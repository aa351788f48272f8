#!/usr/bin/env bash
# Builds Quorvane and runs every test: the unit and end-to-end tests with
# warnings as errors, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for a while.
# FUZZ_SECONDS sets the time per fuzz target (default 60; 0 skips them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== format check"
git ls-files -- '*.cpp' '*.h' ':!tests/data' | xargs clang-format --dry-run --Werror

echo "== build and test (warnings as errors)"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=ON \
    -DQUORVANE_BENCH=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_WERROR=ON -DQUORVANE_SANITIZE=ON
cmake --build build/asan -j "$jobs"
# intercept_tls_get_addr=0: the leak checker of GCC 12 misreads the dynamic
# TLS of libraries loaded at run time under Debian 12's glibc and can crash
# at exit after every test passed, depending on the binary's layout.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

if [ "$fuzz_seconds" -gt 0 ]; then
    echo "== fuzz targets, ${fuzz_seconds}s each"
    CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUORVANE_FUZZ=ON
    cmake --build build/fuzz -j "$jobs" --target fuzzers
    "$top/tests/fuzz/run-fuzzers.sh" build/fuzz "$fuzz_seconds"
fi
echo "== all tests passed"
