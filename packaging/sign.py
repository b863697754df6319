#!/usr/bin/env python3
"""Signs Windows executables and MSIs in place with osslsigncode: an
Authenticode signature with SHA-256, from a PKCS#12 file, timestamped when a
timestamp server is given. The PKCS#12 file's password comes from the
environment variable SMBOPENER_SIGN_PASSWORD (empty if unset), handed to
osslsigncode in a private file rather than on its command line.

    sign.py OSSLSIGNCODE PKCS12 [--timestamp URL] FILE...
"""

import os
import subprocess
import sys
import tempfile


def main():
    osslsigncode, pkcs12, *files = sys.argv[1:]
    timestamp_url = None
    if files[:1] == ["--timestamp"]:
        timestamp_url, files = files[1], files[2:]
    if not files:
        sys.exit(__doc__.rstrip().rsplit("\n", 1)[-1].strip())
    with tempfile.TemporaryDirectory(prefix="smbopener-sign-") as private:
        password = os.path.join(private, "password")
        descriptor = os.open(password, os.O_WRONLY | os.O_CREAT, 0o600)
        with open(descriptor, "w") as f:
            f.write(os.environ.get("SMBOPENER_SIGN_PASSWORD", ""))
        for path in files:
            signed = os.path.join(private, "signed")
            command = [osslsigncode, "sign", "-pkcs12", pkcs12,
                       "-readpass", password, "-h", "sha256",
                       "-n", "smbopener", "-in", path, "-out", signed]
            if timestamp_url:
                command[2:2] = ["-ts", timestamp_url]
            result = subprocess.run(command, capture_output=True, text=True)
            if result.returncode != 0:
                sys.exit(f"sign.py: could not sign {path}:\n"
                         + result.stdout + result.stderr)
            os.replace(signed, path)
            print(f"signed {os.path.basename(path)}")


if __name__ == "__main__":
    main()
