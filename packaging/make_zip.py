#!/usr/bin/env python3
"""Builds the per-user zip: smbopener.exe with register.cmd, unregister.cmd
and README.txt, all in one folder. Text files get Windows line endings; every
entry gets the same fixed date, so the same inputs give the same zip.

    make_zip.py OUTPUT.zip VERSION SMBOPENER_EXE PACKAGING_DIR
"""

import os
import sys
import zipfile

FIXED_DATE = (2026, 1, 1, 0, 0, 0)


def main():
    output, version, exe, packaging = sys.argv[1:5]
    folder = f"smbopener-{version}/"
    entries = [("smbopener.exe", open(exe, "rb").read())]
    for name in ("register.cmd", "unregister.cmd", "README.txt"):
        with open(os.path.join(packaging, name), encoding="utf-8") as f:
            text = f.read().replace("@VERSION@", version)
        entries.append((name, text.replace("\n", "\r\n").encode("utf-8")))
    with zipfile.ZipFile(output, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(folder + name, FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)


if __name__ == "__main__":
    main()
