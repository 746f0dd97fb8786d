#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test through ctest;
# then builds and runs every test again with AddressSanitizer and UBSan, where
# any report fails the run; then runs each fuzz target for a bounded time
# (FUZZ_SECONDS, default 60); last builds the Debian package and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
bash scripts/build.sh -DLUMARINE_WERROR=ON "$@"
ctest --test-dir build --output-on-failure --timeout 600

echo "== the tests again under AddressSanitizer and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARINE_WERROR=ON -DLUMARINE_SANITIZE=ON "$@"
cmake --build build-asan
ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1} UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure --timeout 900

echo "== fuzzing"
bash scripts/fuzz.sh

echo "== the Debian package"
bash scripts/check-package.sh
