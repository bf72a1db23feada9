# A throwaway wine prefix for the Windows tests, its system processes kept up
# while it is in use. Source it, then start_wine_prefix, and stop_wine_prefix
# (from an EXIT trap) when done.

# Wine names host files in the locale's character set: without a UTF-8 locale
# (a bare environment has none) file names beyond ASCII cannot be made.
export LC_ALL=C.UTF-8 WINEARCH=win64 WINEDEBUG=-all
# No menu entries on the host, and no Mono or Gecko installers at boot (the
# tests need neither).
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

# Makes the prefix in the folder $1 (default: a new temporary one), exports
# WINEPREFIX and boots it.
start_wine_prefix() {
    export WINEPREFIX
    WINEPREFIX=${1:-$(mktemp -d "${TMPDIR:-/tmp}/vellumar-wine.XXXXXX")}
    WINE_PREFIX_MADE=$WINEPREFIX
    mkdir -p "$WINEPREFIX"
    # Without a persistent server every program waits seconds for one.
    wineserver -p
    # One waiting program (cmd reading from a pipe held open here) keeps the
    # prefix's system processes, the desktop among them (which also serves
    # wine's clipboard to X), running until the prefix is stopped. Otherwise
    # they stop whenever no program runs and start again under some program,
    # which then waits for them (its output pipe is held) and races with the
    # programs started next.
    mkfifo "$WINEPREFIX/keep-running"
    wine cmd <"$WINEPREFIX/keep-running" >/dev/null 2>&1 &
    WINE_KEEP_PID=$!
    exec {WINE_KEEP_FD}>"$WINEPREFIX/keep-running"
    # Boots the prefix (waits until it is ready).
    wine cmd /c exit >/dev/null 2>&1
    # A crashing program ends with its exit code, not a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
}

# Ends the programs and server of the prefix made by start_wine_prefix, if
# any, and removes it.
stop_wine_prefix() {
    [ -n "${WINE_PREFIX_MADE:-}" ] || return 0
    if [ -n "${WINE_KEEP_FD:-}" ]; then exec {WINE_KEEP_FD}>&-; fi
    WINEPREFIX=$WINE_PREFIX_MADE wineserver -k >/dev/null 2>&1 || true
    if [ -n "${WINE_KEEP_PID:-}" ]; then { kill "$WINE_KEEP_PID"; wait "$WINE_KEEP_PID"; } 2>/dev/null || true; fi
    rm -rf "$WINE_PREFIX_MADE"
    WINE_PREFIX_MADE=
}
