#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop
# would: valid desktop entry and metainfo, a real compiled help file, and the
# installed program opening that help file from beside itself. Then makes
# the Debian package and looks inside it.
# Arguments: program, screenshots folder, build folder.
set -euo pipefail
build=$3
. "$(dirname "$0")/xvfb_lib.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in lib/vellumar/vellumar lib/vellumar/vellumar100.chm bin/vellumar \
         share/applications/example.vellumar.Vellumar.desktop \
         share/metainfo/example.vellumar.Vellumar.metainfo.xml \
         share/icons/hicolor/16x16/apps/vellumar.png; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$prefix/bin/vellumar")" = ../lib/vellumar/vellumar ] || fail "bin/vellumar is not a relative link"
[ "$(identify -format '%w %h' "$prefix/share/icons/hicolor/16x16/apps/vellumar.png")" = "16 16" ] || fail "icon size"

desktop-file-validate "$prefix/share/applications/example.vellumar.Vellumar.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/example.vellumar.Vellumar.metainfo.xml"

# The help file is a real CHM holding every page of the guide.
pages=$(enum_chmLib "$prefix/lib/vellumar/vellumar100.chm")
for page in index.html password.html batch.html about.html; do
    echo "$pages" | grep -q "/$page\$" || fail "$page missing from the help file"
done

# The installed program, started through its link, opens its own help file
# with the help viewer registered for CHM files.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS="$work/xdg-system"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID BROWSER
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME" "$XDG_DATA_DIRS"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" > "%s/viewer.log"\n' "$work" > "$work/viewer.sh"
chmod +x "$work/viewer.sh"
printf '[Desktop Entry]\nType=Application\nName=Viewer\nExec=%s %%f\n' "$work/viewer.sh" \
    > "$XDG_DATA_HOME/applications/viewer.desktop"
xdg-mime default viewer.desktop application/vnd.ms-htmlhelp

start_xvfb
trap 'stop_xvfb; rm -rf "$work"' EXIT
cd /
"$prefix/bin/vellumar" &
APP_PID=$!
main=$(wait_for_window Vellumar)
focus_window "$main"
xdotool mousemove --window "$main" 115 9 click 1
sleep 0.4
xdotool key Down Return
for i in $(seq 1 100); do [ -s "$work/viewer.log" ] && break; sleep 0.05; done
[ "$(cat "$work/viewer.log" 2>/dev/null)" = "$prefix/lib/vellumar/vellumar100.chm" ] ||
    fail "help viewer got '$(cat "$work/viewer.log" 2>/dev/null)'"
kill "$APP_PID"

# The Debian package.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/vellumar_1.0.0_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/vellumar ./usr/lib/vellumar/vellumar ./usr/lib/vellumar/vellumar100.chm \
         ./usr/share/applications/example.vellumar.Vellumar.desktop \
         ./usr/share/metainfo/example.vellumar.Vellumar.metainfo.xml \
         ./usr/share/icons/hicolor/16x16/apps/vellumar.png; do
    echo "$contents" | grep -q " $f\( ->.*\)\?\$" || fail "$f missing from the package"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "package does not depend on Qt"
echo "installed and packaged: $(basename "$deb")"
