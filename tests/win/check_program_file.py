#!/usr/bin/env python3
"""Checks how the Windows program file is built: a windowed program (no
console opens beside it), 64-bit, stripped of symbols and debugging
sections, and linked statically (no MinGW runtime DLL needed beside it).
Usage: check_program_file.py PROGRAM.exe"""
import sys

import pefile

# What every Windows system has; anything else would have to ship beside it.
SYSTEM_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll",
    "version.dll", "winmm.dll", "ws2_32.dll", "dwmapi.dll", "d3d9.dll", "d3d11.dll",
    "dxgi.dll", "dwrite.dll", "d2d1.dll", "netapi32.dll", "userenv.dll", "mpr.dll",
    "setupapi.dll", "wtsapi32.dll", "authz.dll", "shcore.dll", "cfgmgr32.dll", "opengl32.dll",
}

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def main(path):
    pe = pefile.PE(path)
    check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], "x86-64")
    subsystem = pe.OPTIONAL_HEADER.Subsystem
    check(subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
          f"windowed program (subsystem {subsystem})")
    check(pe.FILE_HEADER.PointerToSymbolTable == 0 and pe.FILE_HEADER.NumberOfSymbols == 0,
          f"no symbol table ({pe.FILE_HEADER.NumberOfSymbols} symbols)")
    debug = [s.Name.rstrip(b"\0").decode() for s in pe.sections if s.Name.startswith(b".debug") or s.Name.startswith(b"/")]
    check(not debug, f"no debugging sections ({debug})")
    imported = sorted({entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])})
    foreign = [dll for dll in imported if dll not in SYSTEM_DLLS and not dll.startswith("api-ms-")]
    check(not foreign, f"only system DLLs imported (others: {foreign}; all: {imported})")
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
