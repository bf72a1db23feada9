#!/usr/bin/env bash
# The stage of the whole Windows program: builds vellumar.exe (CMake preset
# "windows-full") against the static Qt and libsodium of tools/windows-deps.sh
# (which builds them first if its cache lacks them: about half an hour),
# packs vellumar-<version>-win64.zip and makes the installer
# vellumar-<version>-win64-setup.exe, and runs under wine the Windows tests:
# the toolkit-free ones, the widget tests (offscreen), the real-window tests
# of the unpacked program and the installer's on a private Xvfb with a
# window manager.
# Leaves no process behind.
#
# Usage: tools/windows-full-stage.sh [extra cmake configure arguments]
# VELLUMAR_WINDOWS_FULL_BUILD names the build folder (default:
# build/windows-full); the zip, the installer and the screenshots land there.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VELLUMAR_WINDOWS_FULL_BUILD:-$root/build/windows-full}
started=$SECONDS
say() { echo "windows full stage: $* after $((SECONDS - started)) s"; }

"$root/tools/setup.sh" "$root/tools/debian-packages-windows.txt"
say "packages ready"
VELLUMAR_MINGW_DEPS=$("$root/tools/windows-deps.sh" | tail -n1)
export VELLUMAR_MINGW_DEPS
say "Qt and libsodium for Windows ready in $VELLUMAR_MINGW_DEPS"

# A build folder configured against another dependency folder keeps that
# folder's Qt packages in its cache: configure it afresh then.
fresh=()
if [ -f "$build/CMakeCache.txt" ] && ! grep -q "^Qt6_DIR:PATH=$VELLUMAR_MINGW_DEPS/" "$build/CMakeCache.txt"; then
    fresh=(--fresh)
fi
cmake --preset windows-full -B "$build" "${fresh[@]}" -DVELLUMAR_WERROR=ON "$@"
cmake --build "$build" -j2
say "built $(du -k "$build/src/vellumar.exe" | cut -f1) KiB vellumar.exe"

# --- a private X display with a window manager, and a throwaway wine prefix
# whose server and desktop stay up for the whole run
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
. "$root/tools/lib/x-display.sh"
. "$root/tools/lib/wine-prefix.sh"
XVFB_PID='' WM_PID=''
stop_all() {
    set +e
    stop_wine_prefix
    for pid in $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
}
trap stop_all EXIT
start_x_display 1280x1024x24
say "X display $DISPLAY with openbox ready"

start_wine_prefix
# Qt takes the fonts that the registry lists; wine's own Tahoma (fonts-wine),
# the face of the system's dialog font, is not listed, and Qt would fall
# back to a serif face.
for face in 'Tahoma:tahoma' 'Tahoma Bold:tahomabd'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "${face%%:*} (TrueType)" \
        /d "Z:\\usr\\share\\wine\\fonts\\${face#*:}.ttf" /f >/dev/null
done
# Ready once a program of the build runs through and leaves its marker: the
# first starts after the boot may still meet the desktop coming up on the
# display. The marker tool is copied into the prefix, so a missing tool fails
# here, and a prefix that is not ready within two minutes fails the stage.
probe="$WINEPREFIX/drive_c/ready-probe.exe"
cp "$build/tests/win/marker_tool.exe" "$probe"
deadline=$((SECONDS + 120))
until wine "$probe" >/dev/null 2>&1 && [ -e "$probe.ran" ]; do
    [ $SECONDS -lt $deadline ] || { say "the wine prefix did not run $probe: not ready" >&2; exit 1; }
    sleep 0.5
done
say "wine prefix ready"

ctest --test-dir "$build" --output-on-failure --timeout 300 -LE wine_window
say "toolkit-free and widget tests passed"
ctest --test-dir "$build" --output-on-failure --timeout 300 -L wine_window
say "real-window tests passed; screenshots in $build/screenshots"
ls -l "$build"/vellumar-*-win64.zip "$build"/vellumar-*-win64-setup.exe "$build/src/vellumar.exe"
