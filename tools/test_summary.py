#!/usr/bin/env python3
"""Prints the end-of-run summary of ./test.sh from ctest's JUnit files: for
each preset, how many of its tests passed and failed; for the suites that
count their own checks (the Wine tests), those counts; for the fuzz targets,
how many inputs they ran. Failed tests are named.

    test_summary.py RESULTS_DIR PRESET...   (RESULTS_DIR/PRESET.xml each)
"""

import os
import re
import sys
import xml.etree.ElementTree as ElementTree


def suite_details(case):
    """What a test's own output says of it: "N/M" (passed/failed checks)
    or "N runs" (a fuzz target), or None."""
    output = case.findtext("system-out") or ""
    runs = re.findall(r"^Done (\d+) runs in", output, re.M)
    if runs:
        return f"{int(runs[-1]):,} runs"
    counts = re.findall(r"^(\d+) passed, (\d+) failed$", output, re.M)
    if counts:
        return "{}/{}".format(*counts[-1])
    return None


def main():
    results, presets = sys.argv[1], sys.argv[2:]
    width = max(map(len, presets))
    print("=== summary (passed/failed)")
    for preset in presets:
        path = os.path.join(results, preset + ".xml")
        if not os.path.exists(path):
            print(f"{preset:<{width}}  did not build or run")
            continue
        cases = ElementTree.parse(path).getroot().iter("testcase")
        passed, failed, details = 0, [], []
        for case in cases:
            ok = case.get("status") == "run" and case.find("failure") is None
            passed += ok
            if not ok:
                failed.append(case.get("name"))
            detail = suite_details(case)
            if detail:
                details.append(f"{case.get('name')} {detail}")
        line = f"{preset:<{width}}  {passed} passed, {len(failed)} failed"
        if details:
            line += ": " + ", ".join(details)
        print(line)
        if failed:
            print(f"{'':<{width}}  failed: {', '.join(failed)}")


if __name__ == "__main__":
    main()
