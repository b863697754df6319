#!/usr/bin/env python3
"""Runs the host build of smbopener with an explorer.exe of our own on PATH
that records its arguments: the program's arguments are joined with single
blanks into the tail, the path reaches Explorer as one argument, and the
exit status is 1 whether or not anything was launched.

    host_program_test.py SMBOPENER
"""

import os
import subprocess
import sys
import tempfile
import time

# (arguments, the one argument Explorer must get, or None for no launch)
CASES = [
    (["smb://server/Public%20Docs/report"], "\\\\server\\Public Docs\\report"),
    (["smb://a/b", "second"], "\\\\a\\b second"),
    (["smb://nas/B%C3%BCro"], "\\\\nas\\B\u00fcro"),
    ([], None),
    (["http://a/b"], None),
]


def main():
    program = os.path.abspath(sys.argv[1])
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        record = os.path.join(tmp, "record")
        explorer = os.path.join(tmp, "explorer.exe")
        with open(explorer, "w") as f:
            f.write('#!/bin/sh\nprintf "%s|%s\\n" "$#" "$1" >> "$RECORD"\n')
        os.chmod(explorer, 0o755)
        env = dict(os.environ, PATH=tmp + os.pathsep + os.environ["PATH"],
                   RECORD=record)
        for args, expected in CASES:
            if os.path.exists(record):
                os.remove(record)
            status = subprocess.call([program] + args, env=env)
            # The program does not wait for Explorer; give it a moment.
            deadline = time.monotonic() + (5 if expected else 0.5)
            while not os.path.exists(record) and time.monotonic() < deadline:
                time.sleep(0.02)
            got = []
            if os.path.exists(record):
                with open(record, encoding="utf-8") as f:
                    got = f.read().splitlines()
            want = [f"1|{expected}"] if expected else []
            ok = status == 1 and got == want
            print(("ok   " if ok else "FAIL ") + " ".join(args or ["(none)"]))
            if not ok:
                print(f"     status {status}, Explorer got {got}, want {want}")
            failed += not ok
    print(f"{len(CASES) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
