#!/usr/bin/env python3
"""Checks how the Windows program file is built: a windowed program (no
console opens beside it), 64-bit, stripped of symbols and debugging
sections, and linked statically (no MinGW runtime DLL needed beside it).
Usage: check_program_file.py PROGRAM.exe"""
import sys

import pefile

# What every Windows system has; anything else would have to ship beside it.
SYSTEM_DLLS = {name + ".dll" for name in """advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32
    oleaut32 shell32 shlwapi user32 uxtheme version winmm ws2_32 dwmapi d3d9 d3d11 dxgi dwrite
    d2d1 netapi32 userenv mpr setupapi wtsapi32 authz shcore cfgmgr32 opengl32""".split()}


def main(path):
    pe = pefile.PE(path)
    header = pe.FILE_HEADER
    subsystem = pe.OPTIONAL_HEADER.Subsystem
    debug = [s.Name.rstrip(b"\0").decode() for s in pe.sections if s.Name.startswith((b".debug", b"/"))]
    imported = sorted({entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])})
    foreign = [dll for dll in imported if dll not in SYSTEM_DLLS and not dll.startswith("api-ms-")]
    checks = [
        (header.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], "x86-64"),
        (subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"], f"windowed program (subsystem {subsystem})"),
        (header.PointerToSymbolTable == 0 and header.NumberOfSymbols == 0,
         f"no symbol table ({header.NumberOfSymbols} symbols)"),
        (not debug, f"no debugging sections ({debug})"),
        (not foreign, f"only system DLLs imported (others: {foreign}; all: {imported})"),
    ]
    for ok, what in checks:
        print(("ok   " if ok else "FAIL ") + what)
    failed = sum(not ok for ok, _ in checks)
    print(f"{failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
