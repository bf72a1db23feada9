#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test headless: the
# release build's ctest suite (widget tests offscreen, real-window tests under
# their own Xvfb), the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, a short libFuzzer smoke run, and the Windows
# code cross-built with mingw-w64 and tested under wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/setup.sh

unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

for preset in release asan; do
    echo "== $preset build and tests"
    cmake --preset "$preset" -DVELLUMAR_WERROR=ON
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== fuzz smoke run"
cmake --preset fuzz -DVELLUMAR_WERROR=ON
cmake --build --preset fuzz
ctest --preset fuzz

echo "== windows cross build, tests under wine"
tools/windows-stage.sh
tools/windows-full-stage.sh
