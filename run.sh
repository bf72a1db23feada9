#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts Vellumar.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/setup.sh
cmake --preset release
cmake --build --preset release
exec build/release/src/vellumar "$@"
