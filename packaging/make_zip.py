#!/usr/bin/env python3
"""Builds the portable zip: smbopener.exe, register.exe and unregister.exe
with README.txt, all in one folder. The text file gets Windows line endings;
every entry gets the same fixed date, so the same inputs give the same zip.

    make_zip.py OUTPUT.zip VERSION README_TXT FILE...
"""

import os
import sys
import zipfile

FIXED_DATE = (2026, 1, 1, 0, 0, 0)


def main():
    output, version, readme, *files = sys.argv[1:]
    folder = f"smbopener-{version}/"
    entries = []
    for path in files:
        with open(path, "rb") as f:
            entries.append((os.path.basename(path), f.read()))
    with open(readme, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    entries.append(("README.txt", text.replace("\n", "\r\n").encode("utf-8")))
    with zipfile.ZipFile(output, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(folder + name, FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)


if __name__ == "__main__":
    main()
