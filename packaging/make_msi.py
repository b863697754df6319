#!/usr/bin/env python3
"""Builds an MSI from one of the WiX sources in packaging/ with wixl:
smbopener.wxs (per machine) or smbopener-user.wxs (per user).

wixl finds the files it packs only relative to where it runs, so the
executable and the icon are staged in a temporary folder first.

    make_msi.py WXS OUTPUT.msi VERSION SMBOPENER_EXE ICON
"""

import os
import shutil
import subprocess
import sys
import tempfile

PACKAGING = os.path.dirname(os.path.abspath(__file__))


def main():
    wxs, output, version, exe, icon = sys.argv[1:6]
    with tempfile.TemporaryDirectory(prefix="smbopener-msi-") as stage:
        shutil.copyfile(exe, os.path.join(stage, "smbopener.exe"))
        shutil.copyfile(icon, os.path.join(stage, "smbopener.ico"))
        subprocess.run(["wixl", "-a", "x86", "-I", PACKAGING,
                        "-D", f"Version={version}",
                        "-D", "Exe=smbopener.exe", "-D", "Icon=smbopener.ico",
                        "-o", os.path.abspath(output),
                        os.path.join(PACKAGING, wxs)],
                       cwd=stage, check=True)


if __name__ == "__main__":
    main()
