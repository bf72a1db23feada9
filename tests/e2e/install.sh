#!/usr/bin/env bash
# The build installed into a temporary prefix, checked as a desktop would,
# with "Help Contents..." of the installed program; then the Debian package.
# Arguments: program, screenshots folder, build folder.
set -euo pipefail
build=$3
. "$(dirname "$0")/window_lib.sh"

# grep -q ending a pipe early would fail it under pipefail: captured output instead.
has_line() { grep -q -- "$1" <<<"$2"; }

prefix="$work/prefix"
program_dir=libexec/vellumar
folder="$prefix/$program_dir"
hicolor=share/icons/hicolor
# Building the program alone, as ./run.sh does, makes all that the install takes.
rm "$build"/src/resources/{vellumar.1,changelog}.gz
cmake --build "$build" --target vellumar >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in $program_dir/vellumar $program_dir/vellumar100.chm $program_dir/help/index.html bin/vellumar \
         share/applications/example.vellumar.Vellumar.desktop \
         share/metainfo/example.vellumar.Vellumar.metainfo.xml \
         share/man/man1/vellumar.1.gz share/doc/vellumar/copyright share/doc/vellumar/changelog.gz \
         $hicolor/scalable/apps/vellumar.svg; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ "$(readlink "$prefix/bin/vellumar")" = ../$program_dir/vellumar ] || fail "bin/vellumar is not a relative link"

# Each PNG icon is as large as its folder says; the 16-pixel one has 16 colours.
for size in 16 32 48 64 128 256; do
    icon="$prefix/$hicolor/${size}x$size/apps/vellumar.png"
    [ "$(identify -format '%w %h' "$icon")" = "$size $size" ] || fail "icon $icon is not $size x $size"
done
[ "$(identify -format '%k' "$prefix/$hicolor/16x16/apps/vellumar.png")" -le 16 ] || fail "16-pixel icon has more than 16 colours"
grep -q '^<svg ' "$prefix/$hicolor/scalable/apps/vellumar.svg" || fail "scalable icon is not SVG"

desktop-file-validate "$prefix/share/applications/example.vellumar.Vellumar.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/example.vellumar.Vellumar.metainfo.xml"

# The help file is a real CHM with every page of the guide, also beside it as HTML.
pages=$(enum_chmLib "$folder/vellumar100.chm")
for page in index.html password.html batch.html about.html; do
    has_line "/$page\$" "$pages" || fail "$page missing from the help file"
    [ -f "$folder/help/$page" ] || fail "$page missing from the HTML guide"
done

# "Help Contents..." of the program started through its link opens the help
# file in the viewer registered for it; without one, the HTML guide (never the
# help file in a browser); else a message.
start_display  # openbox with the system's XDG folders
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS="$work/xdg-system"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID BROWSER
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME" "$XDG_DATA_DIRS"
# The only handler: $1 for the type $2, which writes what it was given to $1.log.
only_handler() {
    rm -f "$XDG_CONFIG_HOME/mimeapps.list"
    printf '#!/bin/sh\necho "$1" > %s/%s.log\n' "$work" "$1" > "$work/$1.sh"
    chmod +x "$work/$1.sh"
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s %%f\n' "$1" "$work/$1.sh" \
        > "$XDG_DATA_HOME/applications/$1.desktop"
    xdg-mime default "$1.desktop" "$2"
}
help_contents() {
    xdotool mousemove --window "$main" 115 9 click 1
    xdotool key Down Return
}
file_is() { [ "$(cat "$1")" = "$2" ]; }
cd /
mkdir "$work/bin"
PATH="$work/bin:$PATH" start_program "$prefix/bin/vellumar"
only_handler viewer application/vnd.ms-htmlhelp
help_contents
poll_until file_is "$work/viewer.log" "$folder/vellumar100.chm" || fail "help viewer got '$(cat "$work/viewer.log")'"
only_handler guide text/html
help_contents
poll_until file_is "$work/guide.log" "$folder/help/index.html" || fail "guide opener got '$(cat "$work/guide.log")'"
rm "$XDG_CONFIG_HOME/mimeapps.list"
printf '#!/bin/sh\necho "$1" > %s/browser.log\n' "$work" > "$work/bin/x-www-browser"
chmod +x "$work/bin/x-www-browser"
help_contents
poll_until file_is "$work/browser.log" "$folder/help/index.html" || fail "the browser got '$(cat "$work/browser.log")'"
rm "$work/bin/x-www-browser"
help_contents
wait_for_message_box "$main" >/dev/null

# The Debian package: the installed files in their places, and no error or
# warning from lintian (informational tags are listed).
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/vellumar_1.0.0_*.deb)
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./|./usr/|' | sort)
packaged=$(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { print $6 }' | sort)
[ "$packaged" = "$installed" ] || fail "the package differs from the install: $(diff <(echo "$installed") <(echo "$packaged"))"
has_line libqt6widgets6 "$(dpkg-deb -f "$deb" Depends)" || fail "package does not depend on Qt"
status=0
tags=$(lintian --pedantic --display-info --display-experimental --no-cfg --fail-on error,warning "$deb" 2>&1) || status=$?
[ -z "$tags" ] || printf 'lintian:\n%s\n' "$tags"
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings (or could not run)"
