#!/usr/bin/env bash
# Installs the dependencies, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
./scripts/check-layers.sh
./scripts/check-install.sh
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
