#!/usr/bin/env python3
"""Tests of the installers on the real artifacts, under Wine.

MSI: silent install, the four registry values, a link opened through the
shell's own association, silent uninstall leaving nothing behind, and an
upgrade from version N to N+1 leaving one product with the new executable.
Zip: register.cmd (twice) from a folder whose path has a blank, the link
opened through the per-user command, and unregister.cmd removing only what
register.cmd wrote. Reproducibility: two clean builds of the executable in
different folders are byte-identical.

    packaging_test.py BUILD_DIR SOURCE_DIR VERSION
"""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools"))
from wine_prefix import WinePrefix, explorer_parameters  # noqa: E402

URL = b"smb://server/Public%20Docs/report"
OPENED = b"\\\\server\\Public Docs\\report"
UNINSTALL = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"

failures = []
passes = 0


def check(label, ok, detail=""):
    global passes
    print(("ok   " if ok else "FAIL ") + label)
    if not ok:
        failures.append(label)
        if detail:
            print(f"     {detail}")
    else:
        passes += 1


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def association(prefix, root):
    """The smb association under `root` (HKLM or HKCU\\Software\\Classes):
    {key suffix: values} for the three keys, None where a key is missing."""
    base = root + "\\smb"
    return {suffix: prefix.reg_query(base + suffix)
            for suffix in ("", "\\DefaultIcon", "\\shell\\open\\command")}


def expected_association(exe_windows_path):
    quoted = f'"{exe_windows_path}"'
    return {"": {"": "URL:smb link", "URL Protocol": ""},
            "\\DefaultIcon": {"": quoted + ",0"},
            "\\shell\\open\\command": {"": quoted + " %1"}}


def smbopener_products(prefix):
    """The version of each installed smbopener product."""
    return [values.get("DisplayVersion")
            for values in (prefix.reg_tree(UNINSTALL) or {}).values()
            if values.get("DisplayName") == "smbopener"]


def open_through_shell(prefix):
    prefix.clear_record()
    prefix.run(["start", URL.decode()])
    return [explorer_parameters(s["command_line"])
            for s in prefix.wait_for_record(1)]


def test_msi(build, source, version, standin):
    msi = os.path.join(build, f"smbopener-{version}.msi")
    exe = os.path.join(build, "smbopener.exe")
    prefix = WinePrefix(standin)
    try:
        prefix.install(msi, "C:\\smbopener.msi")
        status = prefix.run(["msiexec", "/i", "C:\\smbopener.msi", "/qn"])
        check("MSI: silent install succeeds", status == 0, f"status {status}")
        installed = association(prefix, "HKLM\\Software\\Classes")
        command = (installed["\\shell\\open\\command"] or {}).get("", "")
        exe_path = command.split('"')[1] if command.count('"') >= 2 else ""
        check("MSI: installs into Program Files\\smbopener",
              exe_path.endswith("\\smbopener\\smbopener.exe")
              and "Program Files" in exe_path, exe_path)
        check("MSI: the four registry values, link unquoted",
              installed == expected_association(exe_path), installed)
        host_exe = prefix.windows_path(exe_path) if exe_path else ""
        check("MSI: the installed file is the built executable",
              os.path.isfile(host_exe) and sha256(host_exe) == sha256(exe))
        opened = open_through_shell(prefix)
        check("MSI: the shell opens the link in Explorer", opened == [OPENED],
              opened)
        products = smbopener_products(prefix)
        check("MSI: one product registered", products == [version], products)

        # Version N+1, with an executable that differs from N's.
        next_version = version.rsplit(".", 1)[0] + "." + str(
            int(version.rsplit(".", 1)[1]) + 1)
        stage = tempfile.mkdtemp(prefix="smbopener-msi-")
        try:
            next_exe = os.path.join(stage, "smbopener.exe")
            with open(exe, "rb") as f, open(next_exe, "wb") as g:
                g.write(f.read() + b"N+1")
            next_msi = os.path.join(stage, "next.msi")
            subprocess.run(
                [sys.executable,
                 os.path.join(source, "packaging", "make_msi.py"), next_msi,
                 next_version, next_exe,
                 os.path.join(source, "app", "icon", "smbopener.ico")],
                check=True, capture_output=True)
            prefix.install(next_msi, "C:\\next.msi")
            new_hash = sha256(next_exe)
        finally:
            shutil.rmtree(stage)
        status = prefix.run(["msiexec", "/i", "C:\\next.msi", "/qn"])
        products = smbopener_products(prefix)
        check(f"MSI: upgrading {version} to {next_version} leaves one product",
              status == 0 and products == [next_version],
              f"status {status}, products {products}")
        check("MSI: the upgrade installs the new executable",
              os.path.isfile(host_exe) and sha256(host_exe) == new_hash)
        check("MSI: the association survives the upgrade",
              association(prefix, "HKLM\\Software\\Classes")
              == expected_association(exe_path))

        status = prefix.run(["msiexec", "/x", "C:\\next.msi", "/qn"])
        check("MSI: silent uninstall succeeds", status == 0, f"status {status}")
        check("MSI: uninstall leaves no file or folder",
              not os.path.exists(os.path.dirname(host_exe)))
        check("MSI: uninstall leaves no key",
              prefix.reg_query("HKLM\\Software\\Classes\\smb") is None)
        check("MSI: uninstall leaves no product", smbopener_products(prefix)
              == [])
    finally:
        prefix.close()


def test_zip(build, version, standin, start_exact):
    folder = f"C:\\Users\\Public\\My Tools\\smbopener-{version}"
    exe_path = folder + "\\smbopener.exe"
    classes = "HKCU\\Software\\Classes"
    prefix = WinePrefix(standin)
    try:
        with zipfile.ZipFile(os.path.join(build, f"smbopener-{version}.zip")) \
                as archive:
            archive.extractall(prefix.windows_path("C:\\Users\\Public\\My Tools"))
        statuses = [prefix.run(["cmd", "/c", folder + "\\register.cmd"])
                    for _ in range(2)]
        check("zip: register.cmd succeeds twice", statuses == [0, 0],
              statuses)
        registered = association(prefix, classes)
        check("zip: the per-user keys point at the unpacked executable",
              registered == expected_association(exe_path), registered)

        # The shell runs the open command with the link in place of %1.
        command = (registered["\\shell\\open\\command"] or {}).get("", "")
        command_line = command.encode().replace(b"%1", URL)
        prefix.clear_record()
        status = prefix.start_exact(start_exact, exe_path, command_line)
        opened = [explorer_parameters(s["command_line"])
                  for s in prefix.record()]
        check("zip: the per-user command opens the link in Explorer",
              status == 1 and opened == [OPENED], f"{status} {opened}")

        # Something of someone else's under the same key stays.
        prefix.run(["reg", "add", classes + "\\smb\\shell\\edit",
                    "/ve", "/d", "other", "/f"])
        status = prefix.run(["cmd", "/c", folder + "\\unregister.cmd"])
        left = {k: prefix.reg_query(classes + "\\smb" + k)
                for k in ("", "\\DefaultIcon", "\\shell\\open",
                          "\\shell\\edit")}
        check("zip: unregister.cmd removes only what register.cmd wrote",
              status == 0 and left == {"": {}, "\\DefaultIcon": None,
                                       "\\shell\\open": None,
                                       "\\shell\\edit": {"": "other"}},
              left)
        prefix.run(["reg", "delete", classes + "\\smb\\shell\\edit", "/f"])
        prefix.run(["cmd", "/c", folder + "\\register.cmd"])
        status = prefix.run(["cmd", "/c", folder + "\\unregister.cmd"])
        check("zip: register then unregister leaves no key",
              status == 0 and prefix.reg_query(classes + "\\smb") is None)
    finally:
        prefix.close()


def test_reproducible(build, source):
    hashes = []
    for _ in range(2):
        tree = tempfile.mkdtemp(prefix="smbopener-repro-")
        try:
            subprocess.run(
                ["cmake", "-S", source, "-B", tree, "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=MinSizeRel",
                 "-DCMAKE_TOOLCHAIN_FILE="
                 + os.path.join(source, "cmake", "i686-w64-mingw32.cmake")],
                check=True, capture_output=True)
            subprocess.run(["cmake", "--build", tree, "--target", "smbopener"],
                           check=True, capture_output=True)
            hashes.append(sha256(os.path.join(tree, "smbopener.exe")))
        finally:
            shutil.rmtree(tree)
    hashes.append(sha256(os.path.join(build, "smbopener.exe")))
    check("two clean builds give byte-identical executables",
          len(set(hashes)) == 1, hashes)


def main():
    build, source, version = sys.argv[1:4]
    build, source = os.path.abspath(build), os.path.abspath(source)
    standin = os.path.join(build, "explorer_standin.exe")
    start_exact = os.path.join(build, "start_exact.exe")
    test_msi(build, source, version, standin)
    test_zip(build, version, standin, start_exact)
    test_reproducible(build, source)
    print(f"{passes} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
