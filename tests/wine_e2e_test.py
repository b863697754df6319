#!/usr/bin/env python3
"""End-to-end tests of the real smbopener.exe under Wine.

Each case starts the executable with an exact command line (through
start_exact.exe) and checks its exit status and what the stand-in Explorer
was started with: the parameters, the show command, and how many times.

    wine_e2e_test.py SMBOPENER_EXE EXPLORER_STANDIN_EXE START_EXACT_EXE
"""

import os
import sys
from functools import partial

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools"))
from wine_prefix import (WinePrefix, explorer_fields,  # noqa: E402
                         explorer_parameters)

PROGRAM = "C:\\some dir\\smbopener.exe"
NAME = b'"C:\\some dir\\smbopener.exe"'
SW_HIDE, SW_SHOW, SW_SHOWMINNOACTIVE = 0, 5, 7

# (what it shows, the whole command line, show command it is started with or
#  None, the parameters Explorer must receive or None for no launch). Bytes
#  are compared with Explorer's ANSI command line, text with its wide one.
CASES = [
    ("walk-through", NAME + b" smb://server/Public%20Docs/report", None,
     b"\\\\server\\Public Docs\\report"),
    ("no arguments", NAME, None, None),
    ("no command line at all", b"", None, None),
    ("link glued to the quoted name", NAME + b"smb://a/b", None, None),
    ("glued name, then a blank and more", NAME + b"smb://a/b smb://c/d", None,
     b"\\\\c\\d"),
    ("blanks and tabs before, blanks after", NAME + b" \t  \tsmb://a/b  ",
     None, b"\\\\a\\b  "),
    ("second argument", NAME + b" smb://a/b second", None,
     b"\\\\a\\b second"),
    ("unquoted name", b"smbopener.exe smb://a/b", None, b"\\\\a\\b"),
    ("started hidden", NAME + b" smb://a/b", SW_HIDE, b"\\\\a\\b"),
    ("started minimised", NAME + b" smb://a/b", SW_SHOWMINNOACTIVE,
     b"\\\\a\\b"),
    ("scheme alone", NAME + b" smb://", None, b"\\\\"),
    ("escaped scheme", NAME + b" smb%3A//a/b%2Fc", None, b"\\\\a\\b\\c"),
    ("byte from 0x80 up", NAME + b" smb://a/caf%E9/\xe9", None,
     b"\\\\a\\caf\xe9\\\xe9"),
    ("UTF-8 name", NAME + b" smb://nas/B%C3%BCro", None, "\\\\nas\\B\u00fcro"),
    ("UTF-8 name outside the ANSI code page",
     NAME + b" smb://nas/%E6%9D%B1%E4%BA%AC", None, "\\\\nas\\\u6771\u4eac"),
    ("UTF-8 four-byte character", NAME + b" smb://nas/%F0%9F%93%81/x", None,
     "\\\\nas\\\U0001F4C1\\x"),
    ("UTF-8 name with a comma (quoted)",
     NAME + b" smb://nas/M%C3%BCller, Hans", None,
     '"\\\\nas\\M\u00fcller, Hans"'),
    ("UTF-8 program name (selected)",
     NAME + b" smb://nas/t/%E5%AE%89%E8%A3%85.exe", None,
     "/select,\\\\nas\\t\\\u5b89\u88c5.exe"),
    ("legacy ANSI escape", NAME + b" smb://a/caf%E9", None, b"\\\\a\\caf\xe9"),
    ("UTF-8 beside a legacy byte stays ANSI",
     NAME + b" smb://a/B%C3%BCro/caf%E9", None,
     b"\\\\a\\B\xc3\xbcro\\caf\xe9"),
    ("comma in a name (quoted)", NAME + b" smb://srv/Smith, John/Q1", None,
     b'"\\\\srv\\Smith, John\\Q1"'),
    ("equals sign in a name (quoted)", NAME + b" smb://srv/a=b/c", None,
     b'"\\\\srv\\a=b\\c"'),
    ("program (selected, not run)", NAME + b" smb://srv/tools/setup.exe",
     None, b"/select,\\\\srv\\tools\\setup.exe"),
    ("shortcut (selected, not run)", NAME + b" smb://srv/t/Start.LNK", None,
     b"/select,\\\\srv\\t\\Start.LNK"),
    ("document (opened)", NAME + b" smb://srv/t/report.pdf", None,
     b"\\\\srv\\t\\report.pdf"),
    ("device namespace \\\\.\\", NAME + b" smb://./C:/Windows", None, None),
    ("device namespace \\\\?\\", NAME + b" smb://%3F/C:/Windows/notepad.exe",
     None, None),
    ("double quote in the path", NAME + b" smb://srv/t/run.ex%22e%22", None,
     None),
    ("other scheme", NAME + b" http://a/b", None, None),
    ("upper-case scheme", NAME + b" SMB://a/b", None, None),
    ("quoted link", NAME + b' "smb://a/b"', None, None),
    ("link too long", NAME + b" smb://a/" + b"x" * 20000, None, None),
]

# The same command line in a double-byte code page and in a single-byte one:
# in code page 932, 0x81 is a lead byte that takes the quote after it along,
# so the quoted name runs on past the blank inside it.
DOUBLE_BYTE_NAME = b'"C:\\x\x81"y z.exe" smb://a/b'
CODE_PAGE_CASES = [
    ("lead byte takes a quote along (code page 932)", DOUBLE_BYTE_NAME,
     "ja_JP.UTF-8", b"\\\\a\\b"),
    ("no lead bytes in code page 1252", DOUBLE_BYTE_NAME, "en_US.UTF-8",
     None),
]


def check_case(prefix, start_exact, command_line, show, parameters, **env):
    prefix.clear_record()
    status = prefix.start_exact(start_exact, PROGRAM, command_line, show,
                                **env)
    starts = prefix.record()
    problems = []
    if status != 1:
        problems.append(f"exit status {status}, not 1")
    if parameters is None:
        if starts:
            problems.append(f"launched {starts}")
    elif len(starts) != 1:
        problems.append(f"{len(starts)} launches, not 1")
    else:
        got = explorer_parameters(
            starts[0]["wide_command_line" if isinstance(parameters, str)
                      else "command_line"])
        if got != parameters:
            problems.append(f"Explorer got {got!r}, not {parameters!r}")
        switches, objects = explorer_fields(got)
        select = "/select" if isinstance(got, str) else b"/select"
        if len(objects) != 1 or switches not in ([], [select]):
            problems.append(f"Explorer reads {switches} {objects}")
        if starts[0]["show"] != SW_SHOW:
            problems.append(f"show command {starts[0]['show']}, not SW_SHOW")
    return problems


def check_does_not_wait(prefix, start_exact):
    """The program ends while the Explorer it started is still running."""
    prefix.clear_record()
    status = prefix.start_exact(
        start_exact, PROGRAM, NAME + b" smb://a/b", None,
        SMBOPENER_STANDIN_SLEEP_MS="60000", SMBOPENER_NO_WAIT_FOR_CHILDREN="1")
    starts = prefix.wait_for_record(1)
    problems = []
    if status != 1:
        problems.append(f"exit status {status}, not 1")
    if len(starts) != 1 or starts[0]["ended"]:
        problems.append(f"stand-in record {starts}: smbopener waited for it")
    return problems


def main():
    smbopener, standin, start_exact = sys.argv[1:4]
    prefix = WinePrefix(standin)
    passed = failed = 0
    try:
        prefix.install(smbopener, PROGRAM)
        checks = [(label, partial(check_case, prefix, start_exact, line, show,
                                  parameters))
                  for label, line, show, parameters in CASES]
        checks += [(label, partial(check_case, prefix, start_exact, line, None,
                                   parameters, LC_ALL=locale))
                   for label, line, locale, parameters in CODE_PAGE_CASES]
        checks.append(("exits without waiting for Explorer",
                       partial(check_does_not_wait, prefix, start_exact)))
        for label, check in checks:
            problems = check()
            print(("FAIL " if problems else "ok   ") + label)
            for problem in problems:
                print("     " + problem)
            failed += bool(problems)
            passed += not problems
    finally:
        prefix.close()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
