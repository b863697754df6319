#!/usr/bin/env python3
"""Measures what opening a link costs and prints a table.

1. The link handling alone, on the host (Google Benchmark): ns per link.
2. Whole processes under Wine: smbopener.exe on a typical link, interleaved
   with baseline.exe (built with the same options; it does nothing but ask
   the shell to start Explorer on a fixed path), timed from CreateProcess to
   exit, with the recording stand-in as Explorer. Medians and their ratio.
3. The executable's size and the DLLs it imports.

    bench.py HOST_BUILD_DIR WINDOWS_BUILD_DIR [RUNS]
"""

import json
import os
import re
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools"))
from wine_prefix import WinePrefix  # noqa: E402

LINK = b"smb://server/Public%20Docs/report"
SMBOPENER = "C:\\Program Files\\smbopener\\smbopener.exe"
BASELINE = "C:\\Program Files\\smbopener\\baseline.exe"
TIMER = "C:\\time_starts.exe"


def host_figures(host_build):
    out = subprocess.run(
        [os.path.join(host_build, "link_bench"), "--benchmark_format=json",
         "--benchmark_min_time=0.5", "--benchmark_repetitions=3",
         "--benchmark_report_aggregates_only=true"],
        check=True, capture_output=True, text=True).stdout
    rows = []
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            name = b["run_name"].split("/", 1)[1]
            rows.append((name, b["real_time"], b["time_unit"]))
    return rows


def process_figures(windows_build, runs):
    exe = lambda name: os.path.join(windows_build, name)  # noqa: E731
    prefix = WinePrefix(exe("explorer_standin.exe"))
    try:
        for name, place in (("smbopener.exe", SMBOPENER),
                            ("baseline.exe", BASELINE),
                            ("time_starts.exe", TIMER)):
            prefix.install(exe(name), place)
        args = [TIMER, str(runs),
                SMBOPENER, (b'"' + SMBOPENER.encode() + b'" ' + LINK).hex(),
                BASELINE, (b'"' + BASELINE.encode() + b'" ' + LINK).hex()]
        # A few untimed rounds first, so that both start from warm caches.
        prefix.run([TIMER, "3"] + args[2:])
        times = os.path.join(prefix.path, "times.txt")
        with open(times, "wb") as out:
            subprocess.run(["wine"] + args, env=prefix.env, stdout=out,
                           stderr=prefix.log, stdin=subprocess.DEVNULL,
                           check=True, timeout=1800)
        samples = {0: [], 1: []}
        with open(times) as f:
            for line in f:
                index, micros = line.split()
                samples[int(index)].append(int(micros) / 1000)
        launches = len(prefix.record())
    finally:
        prefix.close()
    return samples, launches


def imports(exe):
    headers = subprocess.run(["i686-w64-mingw32-objdump", "-p", exe],
                             check=True, capture_output=True, text=True).stdout
    return re.findall(r"DLL Name: (\S+)", headers)


def main():
    host_build, windows_build = sys.argv[1:3]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    host = host_figures(host_build)
    samples, launches = process_figures(windows_build, runs)
    smbopener_ms = statistics.median(samples[0])
    baseline_ms = statistics.median(samples[1])
    exe = os.path.join(windows_build, "smbopener.exe")
    baseline_exe = os.path.join(windows_build, "baseline.exe")

    print("| measure | result |")
    print("|---|---|")
    for name, value, unit in host:
        print(f"| link handling on the host, {name.replace('_', ' ')} "
              f"| {value:.0f} {unit} per link |")
    print(f"| smbopener.exe, start to exit under Wine (median of {runs}) "
          f"| {smbopener_ms:.2f} ms |")
    print(f"| baseline.exe, start to exit under Wine (median of {runs}) "
          f"| {baseline_ms:.2f} ms |")
    print(f"| ratio smbopener / baseline | {smbopener_ms / baseline_ms:.3f} |")
    print(f"| Explorer starts recorded | {launches} of "
          f"{2 * (runs + 3)} expected |")
    print(f"| smbopener.exe size | {os.path.getsize(exe):,} bytes "
          f"(baseline {os.path.getsize(baseline_exe):,}) |")
    print(f"| smbopener.exe imports | {', '.join(imports(exe))} |")


if __name__ == "__main__":
    main()
