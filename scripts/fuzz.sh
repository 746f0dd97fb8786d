#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each from
# its seed corpus for a bounded time (FUZZ_SECONDS, default 60). A crash fails
# the script and leaves its input in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMARINE_SANITIZE=ON -DLUMARINE_FUZZ=ON -DLUMARINE_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_targets
mkdir -p build-fuzz/crashes
for target in $(find build-fuzz/fuzz -maxdepth 1 -name "fuzz_*" -type f -executable); do
    name=$(basename "$target")
    corpus=build-fuzz/corpus/${name#fuzz_}
    mkdir -p "$corpus"
    echo "== $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/crashes/"$name"- "$corpus" "fuzz/corpus/${name#fuzz_}" 2>&1 |
        grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR|SUMMARY)' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$name found a crash: see build-fuzz/crashes/" >&2; exit 1; }
done
