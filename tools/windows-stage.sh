#!/usr/bin/env bash
# The Windows stage of the tests: cross-builds the toolkit-free code for
# 64-bit Windows with mingw-w64 (CMake preset "windows") and runs its tests
# under wine, headless, in a throwaway wine prefix. Installs the packages of
# tools/debian-packages-windows.txt that are missing (apt-get, through sudo
# when not root).
#
# Usage: tools/windows-stage.sh [extra cmake configure arguments]
# VELLUMAR_WINDOWS_BUILD names the build folder (default: build/windows).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VELLUMAR_WINDOWS_BUILD:-$root/build/windows}
started=$SECONDS

# --- packages
"$root/tools/setup.sh" "$root/tools/debian-packages-windows.txt"
echo "windows stage: packages ready after $((SECONDS - started)) s"

# --- a throwaway wine prefix, up for the whole stage
unset DISPLAY WAYLAND_DISPLAY
. "$root/tools/lib/wine-prefix.sh"
trap stop_wine_prefix EXIT
start_wine_prefix
echo "windows stage: wine prefix ready after $((SECONDS - started)) s"

# --- configure, build, test
cmake --preset windows -B "$build" -DVELLUMAR_WERROR=ON "$@"
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2 --timeout 120
echo "windows stage: done after $((SECONDS - started)) s"
