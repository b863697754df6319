#!/usr/bin/env python3
"""Tests of the installers on the real artifacts, under Wine.

MSIs, per machine and per user: the package's scope, silent install, the
four registry values, a link opened through the association, the product in
the installed-apps list with its icon, an upgrade from version N to N+1
leaving one product with the new executable, and silent uninstall leaving
nothing behind. Zip: register.exe and unregister.exe from folders with every
kind of name, started as a double-click starts them; all or nothing when a
write fails. Signing and reproducibility: a signed build verifies, and taking
the signature off gives back the bytes of two clean unsigned builds.
Checksums: SHA256SUMS checks.

    packaging_test.py BUILD_DIR SOURCE_DIR VERSION
"""

import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools"))
from wine_prefix import WinePrefix, explorer_parameters  # noqa: E402

URL = "smb://server/Public%20Docs/report"
OPENED = "\\\\server\\Public Docs\\report"
CLASSES = {"machine": "HKLM\\Software\\Classes",
           "user": "HKCU\\Software\\Classes"}
USER_DATA = ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer"
             "\\UserData")
PRODUCTS = {"machine": "HKLM\\Software\\Classes\\Installer\\Products",
            "user": "HKCU\\Software\\Microsoft\\Installer\\Products"}
LOCAL_PROGRAMS = "C:\\users\\<user>\\AppData\\Local\\Programs"

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
    tree = prefix.reg_tree(root + "\\smb") or {}
    full = {k.upper(): v for k, v in tree.items()}
    base = root.replace("HKLM", "HKEY_LOCAL_MACHINE").replace(
        "HKCU", "HKEY_CURRENT_USER") + "\\smb"
    return {suffix: full.get((base + suffix).upper())
            for suffix in ("", "\\DefaultIcon", "\\shell\\open\\command")}


def expected_association(exe_windows_path):
    quoted = f'"{exe_windows_path}"'
    return {"": {"": "URL:smb link", "URL Protocol": ""},
            "\\DefaultIcon": {"": quoted + ",0"},
            "\\shell\\open\\command": {"": quoted + " %1"}}


def open_command(prefix, start_exact, root):
    """Opens URL the way the shell runs the association's open command: the
    URL in place of %1, the command line started as it is. Returns what the
    stand-in Explorer was handed, or what went wrong."""
    command = (association(prefix, root)["\\shell\\open\\command"]
               or {}).get("", "")
    if '"' not in command:
        return [f"no open command: {command!r}"]
    prefix.clear_record()
    status = prefix.start_exact(start_exact, command.split('"')[1],
                                command.replace("%1", URL))
    opened = [explorer_parameters(s["wide_command_line"])
              for s in prefix.wait_for_record(1)]
    return opened if status == 1 else opened + [f"exit status {status}"]


def installed_products(prefix):
    """(scope, version) of each installed smbopener product: "machine" for
    the system's own products, "user" for the user's."""
    found = []
    for key, values in (prefix.reg_tree(USER_DATA) or {}).items():
        if (key.endswith("\\InstallProperties")
                and values.get("DisplayName") == "smbopener"):
            scope = "machine" if "\\S-1-5-18\\" in key else "user"
            found.append((scope, values.get("DisplayVersion")))
    return sorted(found)


def listed_icons(prefix, scope):
    """The icon files of the smbopener products in the installed-apps list
    of `scope`."""
    return [values.get("ProductIcon", "")
            for values in (prefix.reg_tree(PRODUCTS[scope]) or {}).values()
            if values.get("ProductName") == "smbopener"]


def next_version(version):
    major_minor, patch = version.rsplit(".", 1)
    return f"{major_minor}.{int(patch) + 1}"


def build_msi(source, wxs, output, version, exe):
    subprocess.run(
        [sys.executable, os.path.join(source, "packaging", "make_msi.py"),
         wxs, output, version, exe,
         os.path.join(source, "app", "icon", "smbopener.ico")],
        check=True, capture_output=True)


def msi_summary(msi):
    """The MSI's word count (its bit 8: no elevation needed) and whether its
    properties set ALLUSERS."""
    info = subprocess.run(["msiinfo", "suminfo", msi], check=True,
                          capture_output=True, text=True).stdout
    properties = subprocess.run(["msiinfo", "export", msi, "Property"],
                                check=True, capture_output=True,
                                text=True).stdout
    word_count = int(re.search(r"^Source: (\d+)", info, re.M).group(1))
    all_users = any(line.split("\t")[0] == "ALLUSERS"
                    for line in properties.splitlines())
    return word_count, all_users


def test_msi(scope, build, source, version, standin, start_exact):
    name = f"MSI per {scope}"
    wxs = "smbopener.wxs" if scope == "machine" else "smbopener-user.wxs"
    suffix = "" if scope == "machine" else "-user"
    msi = os.path.join(build, f"smbopener-{version}{suffix}.msi")
    exe = os.path.join(build, "smbopener.exe")
    root = CLASSES[scope]

    word_count, all_users = msi_summary(msi)
    if scope == "machine":
        check(f"{name}: asks for elevation, ALLUSERS=1",
              not word_count & 8 and all_users, (word_count, all_users))
    else:
        check(f"{name}: needs no elevation, ALLUSERS not set",
              bool(word_count & 8) and not all_users,
              (word_count, all_users))

    prefix = WinePrefix(standin)
    try:
        user = prefix.user_name()
        folder = ("C:\\Program Files\\smbopener" if scope == "machine"
                  else LOCAL_PROGRAMS.replace("<user>", user) + "\\smbopener")
        exe_path = folder + "\\smbopener.exe"
        host_exe = prefix.windows_path(exe_path)
        programs = prefix.windows_path(LOCAL_PROGRAMS.replace("<user>", user))
        programs_existed = os.path.isdir(programs)

        prefix.install(msi, "C:\\smbopener.msi")
        status = prefix.run(["msiexec", "/i", "C:\\smbopener.msi", "/qn"])
        check(f"{name}: silent install succeeds", status == 0,
              f"status {status}")
        check(f"{name}: installs the built executable as {exe_path}",
              os.path.isfile(host_exe) and sha256(host_exe) == sha256(exe))
        installed = association(prefix, root)
        check(f"{name}: the four values under {root}\\smb, link unquoted",
              installed == expected_association(exe_path), installed)
        command = installed["\\shell\\open\\command"] or {}
        print(f"     open command: {command.get('')}")
        if scope == "machine":
            prefix.clear_record()
            prefix.run(["start", URL])
            opened = [explorer_parameters(s["wide_command_line"])
                      for s in prefix.wait_for_record(1)]
        else:
            # Wine does not merge HKCU's classes into HKCR: run the command
            # the way the shell would.
            opened = open_command(prefix, start_exact, root)
        check(f"{name}: a link opens in Explorer as {OPENED}",
              opened == [OPENED], opened)
        products = installed_products(prefix)
        check(f"{name}: one product, of this scope",
              products == [(scope, version)], products)
        icons = listed_icons(prefix, scope)
        check(f"{name}: listed in the installed apps with its icon",
              len(icons) == 1 and icons[0].endswith(".ico")
              and os.path.isfile(prefix.windows_path(icons[0])), icons)

        # Version N+1, with an executable that differs from N's.
        upgrade = next_version(version)
        with tempfile.TemporaryDirectory(prefix="smbopener-msi-") as stage:
            next_exe = os.path.join(stage, "smbopener.exe")
            with open(exe, "rb") as f, open(next_exe, "wb") as g:
                g.write(f.read() + b"N+1")
            next_msi = os.path.join(stage, "next.msi")
            build_msi(source, wxs, next_msi, upgrade, next_exe)
            prefix.install(next_msi, "C:\\next.msi")
            new_hash = sha256(next_exe)
        status = prefix.run(["msiexec", "/i", "C:\\next.msi", "/qn"])
        products = installed_products(prefix)
        check(f"{name}: upgrading {version} to {upgrade} leaves one product",
              status == 0 and products == [(scope, upgrade)],
              f"status {status}, products {products}")
        check(f"{name}: the upgrade installs the new executable",
              os.path.isfile(host_exe) and sha256(host_exe) == new_hash)
        check(f"{name}: the association survives the upgrade",
              association(prefix, root) == expected_association(exe_path))

        status = prefix.run(["msiexec", "/x", "C:\\next.msi", "/qn"])
        check(f"{name}: silent uninstall succeeds", status == 0,
              f"status {status}")
        # The user's Programs folder goes too, unless it was there before.
        made = [os.path.dirname(host_exe)] + ([] if programs_existed
                                               else [programs])
        left = [p for p in made if os.path.exists(p)]
        check(f"{name}: uninstall leaves no file or folder", left == [], left)
        check(f"{name}: uninstall leaves no key",
              prefix.reg_tree(root + "\\smb") is None)
        check(f"{name}: uninstall leaves no product",
              installed_products(prefix) == [] and
              listed_icons(prefix, scope) == [])
    finally:
        prefix.close()


# Folders to unpack the zip into, each with names that break batch files:
# cmd's special characters, letters outside the ANSI code page, and depth.
REGISTRATION_FOLDERS = [
    LOCAL_PROGRAMS + "\\R&D (J\u00fcrgen) \u6771\u4eac\\smbopener",
    "C:\\Tools & Stuff\\x & calc",
    "C:\\a^b!c%PATH%d!e%%f\\smbopener",
    "C:\\(1) [2] {3}\\;,='s\\smbopener",
    "C:\\Users\\Public\\J\u00fcrgen Gro\u00df",
    "C:\\\u0414\u043c\u0438\u0442\u0440\u0438\u0439",
    "C:\\" + "\\".join(f"level {i} of a deep folder" for i in range(8)),
]


def run_registration(prefix, start_exact, folder, program, *args,
                     double_click=False):
    """Starts register.exe or unregister.exe in `folder` with an exact
    command line, as a double-click does (a console of its own) or as a
    script does; returns its exit status and output."""
    output = "C:\\registration-output.txt"
    path = f"{folder}\\{program}"
    status = prefix.start_exact(start_exact, path,
                                " ".join([f'"{path}"'] + list(args)),
                                new_console=double_click, output=output)
    with open(prefix.windows_path(output), "rb") as f:
        return status, f.read().decode("utf-8", "replace")


def unpack_zip(prefix, build, version, folder):
    with zipfile.ZipFile(os.path.join(build, f"smbopener-{version}.zip")) \
            as archive:
        for member in archive.infolist():
            name = member.filename.split("/", 1)[1]
            if name:
                target = prefix.windows_path(f"{folder}\\{name}")
                os.makedirs(os.path.dirname(target), exist_ok=True)
                with open(target, "wb") as f:
                    f.write(archive.read(member))


def test_registration(build, version, standin, start_exact):
    classes = CLASSES["user"]
    prefix = WinePrefix(standin)
    try:
        user = prefix.user_name()
        for template in REGISTRATION_FOLDERS:
            folder = template.replace("<user>", user)
            exe_path = folder + "\\smbopener.exe"
            unpack_zip(prefix, build, version, folder)
            label = f"zip in {folder}"

            status, out = run_registration(prefix, start_exact, folder,
                                           "register.exe", double_click=True)
            registered = association(prefix, classes)
            check(f"{label}: register.exe, double-clicked, writes the four "
                  "values", status == 0
                  and registered == expected_association(exe_path),
                  f"status {status}, {out!r}, {registered}")
            command = registered["\\shell\\open\\command"] or {}
            print(f"     open command: {command.get('')}")
            check(f"{label}: double-clicked, it waits for a key",
                  "Press any key" in out, repr(out))
            opened = open_command(prefix, start_exact, classes)
            check(f"{label}: the open command opens the link",
                  opened == [OPENED], opened)
            status, out = run_registration(prefix, start_exact, folder,
                                           "unregister.exe")
            check(f"{label}: unregister.exe, from a script, removes every "
                  "key and does not wait",
                  status == 0 and prefix.reg_tree(classes + "\\smb") is None
                  and "Press any key" not in out,
                  f"status {status}, {out!r}")

        folder = REGISTRATION_FOLDERS[1]
        other = REGISTRATION_FOLDERS[4]
        exe_path = folder + "\\smbopener.exe"
        statuses = [run_registration(prefix, start_exact, folder,
                                     "register.exe", "/q",
                                     double_click=True) for _ in range(2)]
        check("register.exe twice, with /q: both succeed, neither waits",
              [s for s, _ in statuses] == [0, 0]
              and not any("Press any key" in out for _, out in statuses),
              statuses)
        check("register.exe twice: the same four values",
              association(prefix, classes)
              == expected_association(exe_path))
        status, out = run_registration(prefix, start_exact, other,
                                       "unregister.exe")
        check("unregister.exe of another folder leaves the association",
              status == 0 and association(prefix, classes)
              == expected_association(exe_path), f"status {status} {out!r}")
        # Something of someone else's under the same key stays.
        prefix.run(["reg", "add", classes + "\\smb\\shell\\edit",
                    "/ve", "/d", "other", "/f"])
        status, out = run_registration(prefix, start_exact, folder,
                                       "unregister.exe")
        left = association(prefix, classes)
        edit = prefix.reg_tree(classes + "\\smb\\shell\\edit")
        check("unregister.exe removes only what register.exe wrote",
              status == 0 and left == {"": {}, "\\DefaultIcon": None,
                                       "\\shell\\open\\command": None}
              and list((edit or {}).values()) == [{"": "other"}],
              f"status {status}, {left}, {edit}")
        prefix.run(["reg", "delete", classes + "\\smb", "/f"])

        # A write that fails part-way: no lasting key can be made below a
        # volatile one, so smb\shell\open fails after smb and DefaultIcon.
        prefix.run(["reg", "add", classes + "\\smb", "/f"])
        prefix.install(os.path.join(build, "volatile_key.exe"),
                       "C:\\volatile_key.exe")
        volatile = prefix.run(["C:\\volatile_key.exe",
                               b"Software\\Classes\\smb\\shell".hex()])
        before = prefix.reg_tree(classes + "\\smb")
        status, out = run_registration(prefix, start_exact, folder,
                                       "register.exe")
        after = prefix.reg_tree(classes + "\\smb")
        check("register.exe that fails part-way puts everything back",
              volatile == 0 and status == 1 and "Nothing was changed" in out
              and after == before and len(before) == 2,
              f"status {volatile} {status}, {out!r}, {before} {after}")
        prefix.run(["reg", "delete", classes + "\\smb", "/f"])

        os.remove(prefix.windows_path(exe_path))
        status, out = run_registration(prefix, start_exact, folder,
                                       "register.exe")
        check("register.exe without smbopener.exe beside it writes nothing",
              status == 1 and prefix.reg_tree(classes + "\\smb") is None,
              f"status {status}, {out!r}")
    finally:
        prefix.close()


def configure_and_build(source, tree, target, env=None):
    subprocess.run(
        ["cmake", "-S", source, "-B", tree, "-G", "Ninja",
         "-DCMAKE_BUILD_TYPE=MinSizeRel",
         "-DCMAKE_TOOLCHAIN_FILE="
         + os.path.join(source, "cmake", "i686-w64-mingw32.cmake")],
        check=True, capture_output=True, env=env)
    subprocess.run(["cmake", "--build", tree, "--target", target],
                   check=True, capture_output=True, env=env)


def make_certificate(folder):
    """A throwaway self-signed code-signing certificate: its PKCS#12 file
    (password "test"), and the certificate itself to verify against."""
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder,
                                                              "cert.pem")
    pkcs12 = os.path.join(folder, "cert.p12")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048",
                    "-nodes", "-keyout", key, "-out", cert, "-days", "1",
                    "-subj", "/CN=smbopener test signing",
                    "-addext", "extendedKeyUsage=codeSigning",
                    "-addext", "keyUsage=digitalSignature"],
                   check=True, capture_output=True)
    subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in",
                    cert, "-out", pkcs12, "-passout", "pass:test"],
                   check=True, capture_output=True)
    return pkcs12, cert


def test_signing_and_reproducible(build, source, version):
    """One clean unsigned build and one signed one, in other folders: the
    signatures verify, the zip holds the signed executable, and without its
    signature the executable is byte for byte the unsigned one, as the
    unsigned builds are to each other."""
    with tempfile.TemporaryDirectory(prefix="smbopener-repro-") as work:
        unsigned_tree = os.path.join(work, "unsigned")
        configure_and_build(source, unsigned_tree, "smbopener")
        unsigned = sha256(os.path.join(unsigned_tree, "smbopener.exe"))
        check("two clean builds give byte-identical executables",
              unsigned == sha256(os.path.join(build, "smbopener.exe")))

        pkcs12, cert = make_certificate(work)
        signed_tree = os.path.join(work, "signed")
        env = dict(os.environ, SMBOPENER_SIGN_PKCS12=pkcs12,
                   SMBOPENER_SIGN_PASSWORD="test")
        env.pop("SMBOPENER_SIGN_TIMESTAMP_URL", None)
        configure_and_build(source, signed_tree, "packages", env)
        for name in ("smbopener.exe", "register.exe", "unregister.exe",
                     f"smbopener-{version}.msi",
                     f"smbopener-{version}-user.msi"):
            result = subprocess.run(
                ["osslsigncode", "verify", "-in",
                 os.path.join(signed_tree, name), "-CAfile", cert],
                capture_output=True, text=True)
            verdict = re.search(r"^Signature verification: .*$",
                                result.stdout, re.M)
            check(f"signed {name}: osslsigncode verifies it",
                  result.returncode == 0 and verdict
                  and verdict.group(0) == "Signature verification: ok",
                  result.stdout + result.stderr)
            if verdict and name.endswith(".msi"):
                print(f"     {name}: {verdict.group(0)}")
        signed_exe = os.path.join(signed_tree, "smbopener.exe")
        stripped = os.path.join(work, "stripped.exe")
        subprocess.run(["osslsigncode", "remove-signature", "-in", signed_exe,
                        "-out", stripped], check=True, capture_output=True)
        check("the signed executable less its signature is the unsigned one",
              sha256(stripped) == unsigned
              and sha256(signed_exe) != unsigned)
        with zipfile.ZipFile(os.path.join(
                signed_tree, f"smbopener-{version}.zip")) as archive:
            packed = hashlib.sha256(archive.read(
                f"smbopener-{version}/smbopener.exe")).hexdigest()
        check("the signed zip holds the signed executable",
              packed == sha256(signed_exe))


def test_checksums(build, version):
    result = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=build,
                            capture_output=True, text=True)
    listed = sorted(line.split(":")[0] for line in result.stdout.splitlines())
    check("sha256sum -c SHA256SUMS passes for the four downloads",
          result.returncode == 0 and listed == sorted(
              ["smbopener.exe", f"smbopener-{version}.msi",
               f"smbopener-{version}-user.msi", f"smbopener-{version}.zip"]),
          result.stdout + result.stderr)


def main():
    build, source, version = sys.argv[1:4]
    build, source = os.path.abspath(build), os.path.abspath(source)
    standin = os.path.join(build, "explorer_standin.exe")
    start_exact = os.path.join(build, "start_exact.exe")
    for scope in ("machine", "user"):
        test_msi(scope, build, source, version, standin, start_exact)
    test_registration(build, version, standin, start_exact)
    test_signing_and_reproducible(build, source, version)
    test_checksums(build, version)
    print(f"{passes} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
