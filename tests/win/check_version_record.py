#!/usr/bin/env python3
"""Reads the version record and the icon back from a built Windows program
file and checks every field. Usage: check_version_record.py PROGRAM.exe"""
import struct
import sys

import pefile

EXPECTED_TEXTS = {
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
    "ProductName": "Vellumar",
    "FileDescription": "A tool to generate passwords",
    "Comments": "A tool to generate good passwords.",
    "CompanyName": "The Vellumar developers",
    "LegalCopyright": "Copyright (C) The Vellumar developers",
    "LegalTrademarks": "Vellumar is not a registered trademark.",
    "InternalName": "vellumar",
    "OriginalFilename": "vellumar.exe",
}

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def main(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])

    fixed = pe.VS_FIXEDFILEINFO[0]
    check((fixed.FileVersionMS, fixed.FileVersionLS) == (0x00010000, 0), "file version 1.0.0.0")
    check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x00010000, 0),
          "product version 1.0.0.0")
    check(fixed.FileType == 1, "file type: application")

    texts = {}
    translations = []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                check(table.LangID == b"040904B0" or table.LangID == b"040904b0",
                      "string table 040904B0 (US English, Unicode)")
                texts.update({k.decode(): v.decode() for k, v in table.entries.items()})
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                translations.append(var.entry.get(b"Translation"))
    for key, value in EXPECTED_TEXTS.items():
        check(texts.get(key) == value, f"{key} = {value!r} (read {texts.get(key)!r})")
    check(set(texts) == set(EXPECTED_TEXTS), f"no other fields (read {sorted(texts)})")
    check(translations == ["0x0409 0x04b0"], f"translation US English, Unicode ({translations})")

    # The icon: one group with one 16 x 16 picture of 16 colours.
    groups, icons = [], {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in kind.directory.entries:
            for lang in entry.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                if kind.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]:
                    groups.append(data)
                elif kind.id == pefile.RESOURCE_TYPE["RT_ICON"]:
                    icons[entry.id] = data
    check(len(groups) == 1, f"one icon group ({len(groups)})")
    if groups:
        _, kind, count = struct.unpack_from("<HHH", groups[0])
        check(kind == 1 and count == 1, f"one picture in the icon group ({count})")
        width, height, colours, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", groups[0], 6)
        check((width, height) == (16, 16), f"icon 16 x 16 ({width} x {height})")
        picture = icons.get(icon_id, b"")
        header_bits = struct.unpack_from("<H", picture, 14)[0] if len(picture) >= 16 else 0
        check(colours == 16 or header_bits == 4 or bits == 4,
              f"icon of 16 colours (colours {colours}, bits {bits}, bitmap bits {header_bits})")
        check(len(picture) == size, f"icon picture present ({len(picture)} of {size} bytes)")

    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
