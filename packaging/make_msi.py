#!/usr/bin/env python3
"""Builds the per-machine MSI from packaging/smbopener.wxs with wixl.

wixl finds the files it packs only relative to where it runs, so the
executable and the icon are staged in a temporary folder first.

    make_msi.py OUTPUT.msi VERSION SMBOPENER_EXE ICON
"""

import os
import shutil
import subprocess
import sys
import tempfile

WXS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "smbopener.wxs")


def main():
    output, version, exe, icon = sys.argv[1:5]
    with tempfile.TemporaryDirectory(prefix="smbopener-msi-") as stage:
        shutil.copyfile(exe, os.path.join(stage, "smbopener.exe"))
        shutil.copyfile(icon, os.path.join(stage, "smbopener.ico"))
        subprocess.run(["wixl", "-a", "x86", "-D", f"Version={version}",
                        "-D", "Exe=smbopener.exe", "-D", "Icon=smbopener.ico",
                        "-o", os.path.abspath(output), WXS],
                       cwd=stage, check=True)


if __name__ == "__main__":
    main()
