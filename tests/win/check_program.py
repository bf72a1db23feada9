#!/usr/bin/env python3
"""Checks a built Windows program file: its version record, field by field
against the version in the root CMakeLists.txt, and its icon. With
--program-file also the program itself: x86-64, windowed (no console opens
beside it), stripped, importing only system DLLs (linked statically), and its
application manifest.
Usage: check_program.py [--program-file] PROGRAM.exe"""
import pathlib
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

ROOT = pathlib.Path(__file__).resolve().parents[2]
MAJOR, MINOR, PATCH = map(int, re.search(r"project\(Vellumar VERSION (\d+)\.(\d+)\.(\d+)",
                                         (ROOT / "CMakeLists.txt").read_text()).groups())
TEXT = f"{MAJOR}.{MINOR:02d}" + (f".{PATCH}" if PATCH else "")  # 1.0.0 gives "1.00"
EXPECTED_TEXTS = {
    "FileVersion": TEXT, "ProductVersion": TEXT, "ProductName": "Vellumar",
    "FileDescription": "A tool to generate passwords",
    "Comments": "A tool to generate good passwords.",
    "CompanyName": "The Vellumar developers",
    "LegalCopyright": "Copyright (C) The Vellumar developers",
    "LegalTrademarks": "Vellumar is not a registered trademark.",
    "InternalName": "vellumar", "OriginalFilename": "vellumar.exe",
}
SYSTEM_DLLS = {name + ".dll" for name in """advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32
    oleaut32 shell32 shlwapi user32 uxtheme version winmm ws2_32 dwmapi d3d9 d3d11 dxgi dwrite
    d2d1 netapi32 userenv mpr setupapi wtsapi32 authz shcore cfgmgr32 opengl32""".split()}

# The manifest: element (namespaces aside) or element@attribute, and its value.
EXPECTED_MANIFEST = {
    "assemblyIdentity@version": f"{MAJOR}.{MINOR}.{PATCH}.0", "assemblyIdentity@processorArchitecture": "amd64",
    "requestedExecutionLevel@level": "asInvoker", "requestedExecutionLevel@uiAccess": "false",
    "supportedOS@Id": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
    "dpiAware": "true/pm", "dpiAwareness": "PerMonitorV2", "longPathAware": "true",
}

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def check_version_record(pe):
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = (MAJOR << 16 | MINOR, PATCH << 16)
    check((fixed.FileVersionMS, fixed.FileVersionLS) == numbers, f"file version {MAJOR}.{MINOR}.{PATCH}.0")
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == numbers, "product version the same")
    check(fixed.FileType == 1, "file type: application")

    texts, translations = {}, []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                check(table.LangID.upper() == b"040904B0", "string table 040904B0 (US English, Unicode)")
                texts.update({k.decode(): v.decode() for k, v in table.entries.items()})
        elif info.Key == b"VarFileInfo":
            translations += [var.entry.get(b"Translation") for var in info.Var]
    for key, value in EXPECTED_TEXTS.items():
        check(texts.get(key) == value, f"{key} = {value!r} (read {texts.get(key)!r})")
    check(set(texts) == set(EXPECTED_TEXTS), f"no other fields (read {sorted(texts)})")
    check(translations == ["0x0409 0x04b0"], f"translation US English, Unicode ({translations})")

    # The icon: one group with one 16 x 16 picture of 16 colours.
    resources = {(kind.id, entry.id): pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                 for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries
                 for entry in kind.directory.entries for lang in entry.directory.entries}
    groups = [data for (kind, _), data in resources.items() if kind == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
    check(len(groups) == 1, f"one icon group ({len(groups)})")
    if groups:
        _, kind, count = struct.unpack_from("<HHH", groups[0])
        check(kind == 1 and count == 1, f"one picture in the icon group ({count})")
        width, height, colours, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", groups[0], 6)
        check((width, height) == (16, 16), f"icon 16 x 16 ({width} x {height})")
        picture = resources.get((pefile.RESOURCE_TYPE["RT_ICON"], icon_id), b"")
        header_bits = struct.unpack_from("<H", picture, 14)[0] if len(picture) >= 16 else 0
        check(colours == 16 or header_bits == 4 or bits == 4,
              f"icon of 16 colours (colours {colours}, bits {bits}, bitmap bits {header_bits})")
        check(len(picture) == size, f"icon picture present ({len(picture)} of {size} bytes)")


def check_manifest(pe):
    found = [(entry.id, lang.data.struct) for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries
             if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]
             for entry in kind.directory.entries for lang in entry.directory.entries]
    ids = [number for number, _ in found]
    check(ids == [1], f"one application manifest, resource 1 ({ids})")
    elements = [] if not found else ElementTree.fromstring(
        pe.get_data(found[0][1].OffsetToData, found[0][1].Size)).iter()
    read = {}
    for element in elements:
        tag = element.tag.rpartition("}")[2]
        read[tag] = (element.text or "").strip()
        read.update({f"{tag}@{name}": value for name, value in element.attrib.items()})
    for key, value in EXPECTED_MANIFEST.items():
        check(read.get(key) == value, f"manifest {key} = {value!r} (read {read.get(key)!r})")


def check_build(pe):
    header = pe.FILE_HEADER
    subsystem = pe.OPTIONAL_HEADER.Subsystem
    debug = [s.Name.rstrip(b"\0").decode() for s in pe.sections if s.Name.startswith((b".debug", b"/"))]
    imported = sorted({entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])})
    foreign = [dll for dll in imported if dll not in SYSTEM_DLLS and not dll.startswith("api-ms-")]
    check(header.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], "x86-64")
    check(subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"], f"windowed program (subsystem {subsystem})")
    check(header.PointerToSymbolTable == 0 and header.NumberOfSymbols == 0,
          f"no symbol table ({header.NumberOfSymbols} symbols)")
    check(not debug, f"no debugging sections ({debug})")
    check(not foreign, f"only system DLLs imported (others: {foreign}; all: {imported})")


def main(args):
    pe = pefile.PE(args[-1])
    check_version_record(pe)
    if "--program-file" in args:
        check_build(pe)
        check_manifest(pe)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
