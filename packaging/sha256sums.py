#!/usr/bin/env python3
"""Writes a checksum list in the format of `sha256sum`, so that
`sha256sum -c SHA256SUMS` in the folder of the files checks them all.

    sha256sums.py OUTPUT FILE...   (every FILE in OUTPUT's folder)
"""

import hashlib
import os
import sys


def main():
    output, *files = sys.argv[1:]
    lines = []
    for path in files:
        with open(path, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        lines.append(f"{digest}  {os.path.basename(path)}\n")
    with open(output, "w", newline="\n") as f:
        f.writelines(lines)


if __name__ == "__main__":
    main()
