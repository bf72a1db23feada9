#!/usr/bin/env bash
# Installs what the program needs and is missing, builds the program and what
# its installation takes only (help file, manual page, changelog; no tests, no
# benchmarks) and starts Vellumar. ./test.sh installs and builds everything.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/setup.sh tools/debian-packages.txt
cmake --preset release -B build/program -DVELLUMAR_TESTS=OFF -DVELLUMAR_BENCH=OFF >/dev/null
cmake --build build/program --target vellumar
exec build/program/src/vellumar "$@"
