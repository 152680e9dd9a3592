#!/usr/bin/env bash
# Installs the dependencies, builds and starts Meldewerk.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec build/bin/meldewerk "$@"
