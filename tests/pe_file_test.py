#!/usr/bin/env python3
"""Checks the built smbopener.exe as a file: a 32-bit GUI program that
imports only DLLs every Windows has, with its icon, manifest and version
information, and an icon that its generator reproduces byte for byte. The
registration programs of the zip must be 32-bit console programs that need
no DLL but the system's either.

    pe_file_test.py SMBOPENER_EXE MAKE_ICON_PY COMMITTED_ICO VERSION
                    [CONSOLE_EXE...]
"""

import os
import re
import subprocess
import sys
import tempfile

ALLOWED_DLLS = {"kernel32.dll", "shell32.dll", "msvcrt.dll", "user32.dll",
                "advapi32.dll"}
ICON_IMAGES = sorted([(32, 4), (16, 4), (48, 8), (32, 8), (16, 8),
                      (48, 32), (32, 32), (16, 32)])


def output(*args, binary=False):
    return subprocess.run(args, check=True, capture_output=True,
                          text=not binary).stdout


def main():
    exe, make_icon, committed_ico, version_number = sys.argv[1:5]
    checks = []
    for path, subsystem in [(exe, 2)] + [(p, 3) for p in sys.argv[5:]]:
        name = os.path.basename(path)
        headers = output("i686-w64-mingw32-objdump", "-p", path)
        checks.append((f"{name}: PE32 for i386",
                       "file format pei-i386" in headers))
        kind = "GUI" if subsystem == 2 else "console"
        checks.append((f"{name}: {kind} subsystem",
                       re.search(rf"Subsystem\s+0000000{subsystem}", headers)
                       is not None))
        dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", headers)}
        checks.append((f"{name}: imports only {sorted(ALLOWED_DLLS)} (has "
                       f"{sorted(dlls)})",
                       dlls <= ALLOWED_DLLS and "shell32.dll" in dlls))

    with tempfile.TemporaryDirectory() as tmp:
        ico = os.path.join(tmp, "from_exe.ico")
        subprocess.run(["wrestool", "-x", "-t", "14", "-o", ico, exe],
                       check=True)
        listing = output("icotool", "-l", ico)
        images = sorted(
            (int(w), int(d)) for w, h, d in re.findall(
                r"--width=(\d+) --height=(\d+) --bit-depth=(\d+)", listing)
            if w == h)
        checks.append((f"one icon group, eight images (has {images})",
                       images == ICON_IMAGES
                       and listing.count("--icon") == len(ICON_IMAGES)))
        regenerated = os.path.join(tmp, "regenerated.ico")
        subprocess.run([sys.executable, make_icon, regenerated], check=True)
        with open(regenerated, "rb") as a, open(committed_ico, "rb") as b:
            checks.append(("icon generator reproduces the committed icon",
                           a.read() == b.read()))

    manifest = output("wrestool", "-x", "--raw", "-t", "24", exe, binary=True)
    checks.append(("manifest asks for asInvoker",
                   b'level="asInvoker"' in manifest))
    version = output("wrestool", "-x", "--raw", "-t", "16", exe, binary=True)
    text = version.decode("utf-16-le", errors="replace")
    checks.append((f"version information names smbopener {version_number}",
                   re.search("ProductName\0+smbopener\0", text)
                   and re.search(f"FileVersion\0+{re.escape(version_number)}\0",
                                 text)))

    failed = 0
    for label, ok in checks:
        print(("ok   " if ok else "FAIL ") + label)
        failed += not ok
    print(f"{len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
