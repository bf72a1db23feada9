#!/usr/bin/env bash
# Builds the libraries the Windows program needs and Debian has no mingw
# package of: a static Qt (qtbase: Core, Gui, Widgets, Test, the windows and
# offscreen platform plugins, the Windows styles, the gif and ico image
# plugins) and a static libsodium, both for x86_64-w64-mingw32 (posix
# threads), from Debian's source packages of the versions installed on the
# host (so the host's moc, rcc and uic serve the cross build).
#
# They go into a cache folder outside the clone, named by the versions, the
# compiler and this script's own hash, so later runs reuse them and a change
# of recipe rebuilds them. Prints that folder on its last line of stdout.
#
# Usage: tools/windows-deps.sh            build if missing, print the folder
#        tools/windows-deps.sh --print    only print the folder (no build)
# The first build takes about half an hour on two idle cores; a build that
# is stopped goes on where it ended when run again.
set -euo pipefail
self=$(readlink -f "${BASH_SOURCE[0]}")
triple=x86_64-w64-mingw32
jobs=${VELLUMAR_DEPS_JOBS:-2}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Source versions of the host's packages: the archive serves those sources.
src_version() { dpkg-query -W -f='${source:Version}' "$1"; }
qt_version=$(src_version qt6-base-dev)
sodium_version=$(src_version libsodium-dev)
gcc_version=$($triple-gcc-posix -dumpfullversion)
# The project's toolchain file builds the dependencies too; a copy stays in
# the prefix, where Qt's installed toolchain file points.
toolchain=$(dirname "$self")/../cmake/mingw-w64-x86_64.cmake
# Comments do not count: only a change of the recipe itself rebuilds.
recipe=$(grep -hv '^[[:space:]]*#' "$self" "$toolchain" | sha256sum)
key=$(printf '%s\n' "$qt_version" "$sodium_version" "$gcc_version" "$recipe" \
      | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/vellumar
prefix=$cache/mingw-$key

if [ "${1:-}" = --print ] || [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

started=$SECONDS
log() { echo "windows-deps: $* ($((SECONDS - started)) s)" >&2; }
# The build folder is named by the key too and kept when a build fails or is
# stopped: the next run goes on where it ended instead of starting over.
work=$cache/build-$key
mkdir -p "$work" "$prefix"

# --- sources: enable Debian's source index beside the binary one if needed
if [ -z "$(apt-cache showsrc qt6-base 2>/dev/null)" ]; then
    log "enabling deb-src"
    for f in /etc/apt/sources.list.d/*.sources; do
        grep -q '^Types:.*deb-src' "$f" && continue
        grep -q '^URIs:.*debian' "$f" || continue
        sed 's/^Types:.*/Types: deb-src/' "$f" \
            | as_root tee "/etc/apt/sources.list.d/$(basename "$f" .sources)-src.sources" >/dev/null
    done
    as_root apt-get -o DPkg::Lock::Timeout=600 update >&2
fi
cd "$work"
if [ ! -f sources.done ]; then
    rm -rf qt6-base* libsodium*
    apt-get source --only-source "qt6-base=$qt_version" "libsodium=$sodium_version" >&2
    touch sources.done
fi
qt_src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
sodium_src=$(find . -maxdepth 1 -type d -name 'libsodium-*' | head -n1)
log "sources unpacked"

# Section per function and datum, so the program's link can drop what it
# does not use (--gc-sections).
sections="-ffunction-sections -fdata-sections"

# --- libsodium (autotools; Debian's source has no configure script)
[ -f sodium.done ] || (
    cd "$sodium_src"
    autoreconf -ivf >/dev/null 2>&1
    ./configure --host=$triple --prefix="$prefix/sodium" --disable-shared --enable-static \
        CC=$triple-gcc-posix CFLAGS="-O2 $sections" >/dev/null
    nice -n 5 make -j"$jobs" >/dev/null
    make install >/dev/null
    # A static libsodium must not be declared dllimport by its header.
    sed -i 's|^Cflags: \(.*\)$|Cflags: \1 -DSODIUM_STATIC=1|' "$prefix/sodium/lib/pkgconfig/libsodium.pc"
    touch "$work/sodium.done"
)
log "libsodium installed"

# --- qtbase
cp "$toolchain" "$prefix/mingw-toolchain.cmake"
# Off: modules and features the program and its tests do not use (whole
# widgets, dialogs, image formats, calendars, PDF, style sheets...), and every
# "system" library (the host's would be found; the bundled copies are built
# instead).
# tabletevent: Debian's source lacks the wintab headers. direct2d stays on
# (the DirectWrite font database needs it in 6.4). freetype stays on for the
# offscreen platform plugin the widget tests use.
off=(dbus network sql printsupport concurrent xml opengl vulkan tabletevent jpeg icu zstd
     textmarkdownwriter textodfwriter pkg_config androiddeployqt direct2d1_1 glib
     system_zlib system_png system_jpeg system_freetype system_harfbuzz system_pcre2
     system_doubleconversion
     graphicsview graphicseffect mdiarea dockwidget calendarwidget datetimeedit dial lcdnumber
     fontcombobox fontdialog colordialog wizard columnview undoview undogroup undostack
     undocommand splashscreen keysequenceedit commandlinkbutton toolbox scroller
     systemtrayicon datawidgetmapper tablewidget treewidget errormessage style_stylesheet
     cssparser pdf movie textmarkdownreader picture imageformat_bmp imageformat_ppm
     imageformat_xbm sessionmanager syntaxhighlighter timezone hijricalendar
     islamiccivilcalendar jalalicalendar sharedmemory systemsemaphore)
flags=()
for f in "${off[@]}"; do flags+=("-DFEATURE_$f=OFF"); done
[ -f qt-build/build.ninja ] || PKG_CONFIG_LIBDIR=/nonexistent cmake -S "$qt_src" -B "$work/qt-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix/qt" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_FLAGS="$sections" -DCMAKE_CXX_FLAGS="$sections" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no "${flags[@]}" >"$work/qt-configure.log" 2>&1 \
    || { tail -n 60 "$work/qt-configure.log" >&2; exit 1; }
log "qtbase configured"
nice -n 5 cmake --build "$work/qt-build" -j"$jobs" >"$work/qt-build.log" 2>&1 \
    || { grep -m5 -B2 -A20 'FAILED' "$work/qt-build.log" >&2; exit 1; }
cmake --install "$work/qt-build" >/dev/null
log "qtbase installed"

touch "$prefix/.complete"
cd "$cache"
rm -rf "$work"
echo "$prefix"
