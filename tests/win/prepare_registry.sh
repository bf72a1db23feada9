#!/bin/sh
# Stores the registry values that sys_info_win_test reads through advapi32,
# with wine's own reg and regedit (run under WINEPREFIX as set by the
# caller). Usage: prepare_registry.sh WINE
set -eu
wine=${1:?usage: prepare_registry.sh WINE}
key='HKLM\SOFTWARE\Vellumar\Test'

repeat() {  # repeat TEXT COUNT
    i=0 out=''
    while [ "$i" -lt "$2" ]; do out="$out$1"; i=$((i + 1)); done
    printf '%s' "$out"
}

"$wine" reg delete "$key" /f >/dev/null 2>&1 || true

# reg add stores text with its terminating zero.
add() { "$wine" reg add "$key" /f "$@" >/dev/null; }
add /v Zero /t REG_SZ /d abc
add /v Full /t REG_DWORD /d 0x12345678
add /v HighZero /t REG_DWORD /d 0x000A0B0C
add /v Expand /t REG_EXPAND_SZ /d '%X%'
add /v TooLong /t REG_SZ /d "$(repeat a 1025)"

# regedit stores values with no data at all, and text given byte by byte.
# The file is UTF-16 with a byte-order mark, so that hex(1) data is taken as
# UTF-16 as it stands. Neither regedit nor reg can store text without its
# terminating zero (they add one): sys_info_win_test stores those values
# itself through advapi32.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellumar\\Test]\r\n'
    printf '"FitsWithZero"=hex(1):%s00,00\r\n' "$(repeat 61,00, 1023)"
    printf '"EmptyText"=hex(1):\r\n'
    printf '"EmptyDword"=hex(4):\r\n'
    printf '"Binary"=hex:01,02,03\r\n'
} | iconv -f UTF-8 -t UTF-16LE > "$work/body"
printf '\377\376' | cat - "$work/body" > "$work/values.reg"
(cd "$work" && "$wine" regedit /S values.reg)

# What regedit did not store makes the tests fail; check one value here so
# that the cause is plain.
"$wine" reg query "$key" /v FitsWithZero >/dev/null
