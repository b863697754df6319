#!/usr/bin/env python3
"""Opens one link with the real smbopener.exe under Wine and prints what
Explorer was asked to open.

The program is started exactly as the smb association starts it on Windows:
"C:\\Program Files\\smbopener\\smbopener.exe" followed by the link, unquoted.
Explorer itself is not run: a stand-in takes its place and records its
command line. The Wine prefix is kept in build/wine-prefix between runs.

    try_link.py BUILD_DIR LINK
"""

import os
import sys

from wine_prefix import WinePrefix, explorer_fields, explorer_parameters

PROGRAM = "C:\\Program Files\\smbopener\\smbopener.exe"


def main():
    build, link = sys.argv[1], os.fsencode(sys.argv[2])
    exe = lambda name: os.path.join(build, name)  # noqa: E731
    prefix = WinePrefix(exe("explorer_standin.exe"),
                        path=os.path.abspath(os.path.join(build, "..",
                                                          "wine-prefix")))
    try:
        prefix.install(exe("smbopener.exe"), PROGRAM)
        prefix.clear_record()
        command_line = b'"' + PROGRAM.encode() + b'" ' + link
        status = prefix.start_exact(exe("start_exact.exe"), PROGRAM,
                                    command_line)
        starts = prefix.record()
    finally:
        prefix.close()
    print("command line:  " + command_line.decode("cp1252", "replace"))
    for start in starts:
        parameters = explorer_parameters(start["wide_command_line"])
        switches, objects = explorer_fields(parameters)
        print("explorer.exe:  " + parameters)
        shown = "".join(objects[:1])
        print("Explorer:      " + (f"shows {shown} selected in its folder"
                                   if "/select" in switches else
                                   f"opens {shown}"))
    if not starts:
        print("explorer.exe:  not started (not an smb link, or refused)")
    print(f"exit status:   {status}")


if __name__ == "__main__":
    main()
