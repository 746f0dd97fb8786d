#!/usr/bin/env bash
# Sets up, builds (warnings are errors) and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DLUMARINE_WERROR=ON "$@"
ctest --test-dir build --output-on-failure --timeout 600
