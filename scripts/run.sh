#!/usr/bin/env bash
# Sets up, builds and starts Lumarine on its sample collection, with the
# sample list file as its argument.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec build/lumarine "$PWD/build/sample/sample.lum"
