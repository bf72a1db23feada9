#!/usr/bin/env bash
# The installer under wine, in a fresh prefix, into the default folder and one
# named with /D= (wine drops a /D= path with a blank): /S installs the program
# built, its help file, Uninstall.exe, the shortcut and exactly the key values
# below, and the program shows its window; Uninstall.exe /S removes it all.
# Arguments: the installer, the program it holds.
set -euo pipefail
. "$(dirname "$0")/../e2e/window_lib.sh"
need_wine
setup=$(readlink -f "$1") program=$(readlink -f "$2")
version=$(grep -oP 'project\(Vellumar VERSION \K[0-9.]+' "$(dirname "$0")/../../CMakeLists.txt")
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumar'
. "$(dirname "$0")/../../tools/lib/wine-prefix.sh"
trap 'set +e; stop_wine_prefix; cleanup' EXIT
start_wine_prefix "$work/prefix"
drive_c="$WINEPREFIX/drive_c"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vellumar.lnk"
key_values() { wine reg query "$key" /reg:64 | tr -d '\r' | sed -n 's/^    //p' | sort; }
nothing_left() { [ ! -e "$1" ] && [ ! -e "$shortcut" ] && ! wine reg query "$key" /reg:64 >/dev/null 2>&1; }

for folder in 'C:\Program Files\Vellumar' 'C:\Vellumar'; do
    host="$drive_c/${folder#C:\\}" && host=${host//\\//}
    nothing_left "$host" || fail "Vellumar is there before the install"
    options=() && [ "$folder" = 'C:\Program Files\Vellumar' ] || options=("/D=$folder")
    begun=$SECONDS
    wine "$setup" /S "${options[@]}" || fail "the installer failed"
    echo "installed into $folder in $((SECONDS - begun)) s"
    cmp "$program" "$host/vellumar.exe" || fail "no $folder\\vellumar.exe, or not the program built"
    [ -f "$host/vellumar100.chm" ] && [ -f "$host/Uninstall.exe" ] || fail "files missing: $(ls "$host")"
    grep -qaF "$folder\\vellumar.exe" "$shortcut" || fail "no Start-menu shortcut to $folder\\vellumar.exe"
    diff -u <(printf '%s\n' "DisplayIcon    REG_SZ    $folder\\vellumar.exe" 'DisplayName    REG_SZ    Vellumar' \
        "DisplayVersion    REG_SZ    $version" \
        "EstimatedSize    REG_DWORD    $(printf '0x%x' $(($(cat "$host"/* | wc -c) / 1024)))" \
        "InstallLocation    REG_SZ    $folder" 'NoModify    REG_DWORD    0x1' 'NoRepair    REG_DWORD    0x1' \
        'Publisher    REG_SZ    The Vellumar developers' \
        "QuietUninstallString    REG_SZ    \"$folder\\Uninstall.exe\" /S" \
        "UninstallString    REG_SZ    \"$folder\\Uninstall.exe\"") <(key_values) ||
        fail "the uninstall key differs (- expected, + found)"

    start_program wine "$folder\\vellumar.exe"
    xdotool key alt+F4
    wait_for_exit "$APP_PID"
    APP_PID=
    begun=$SECONDS
    wine "$folder\\Uninstall.exe" /S || fail "the uninstaller failed"
    # It runs on from a copy of itself: wait until it has removed everything.
    poll_until nothing_left "$host" || fail "the uninstall left: $(ls "$host" "$shortcut"; key_values)"
    echo "uninstalled from $folder in $((SECONDS - begun)) s"
done
