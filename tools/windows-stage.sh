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

# --- a throwaway wine prefix with a persistent wineserver
unset DISPLAY WAYLAND_DISPLAY
# Wine names host files in the locale's character set: without a UTF-8 locale
# (a bare environment has none) file names beyond ASCII cannot be made.
export LC_ALL=C.UTF-8
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/vellumar-wine.XXXXXX")
export WINEARCH=win64
export WINEDEBUG=-all
# No menu entries on the host, and no Mono or Gecko installers at boot (the
# tests need neither).
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
stop_wine() {
    exec 9>&- 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
}
trap stop_wine EXIT
# Without a persistent server every test program waits seconds for one.
wineserver -p
# One waiting program (cmd reading from a pipe that this script holds open)
# keeps the prefix's system processes, the desktop among them, running for
# the whole stage. Otherwise they stop whenever no program runs and start
# again under some test program, which then waits for them (its output pipe
# is held) and races with the programs started next.
mkfifo "$WINEPREFIX/keep-running"
wine cmd < "$WINEPREFIX/keep-running" >/dev/null 2>&1 &
exec 9> "$WINEPREFIX/keep-running"
# Boots the prefix (waits until it is ready).
wine cmd /c exit >/dev/null 2>&1
# A crashing test program ends with its exit code, not a dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
echo "windows stage: wine prefix ready after $((SECONDS - started)) s"

# --- configure, build, test
cmake --preset windows -B "$build" -DVELLUMAR_WERROR=ON "$@"
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2 --timeout 120
echo "windows stage: done after $((SECONDS - started)) s"
