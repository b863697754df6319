#!/usr/bin/env bash
# Measures the cost of opening a link and prints a table: the link handling
# on the host, and smbopener.exe against a do-nothing-but-launch baseline
# under Wine.   Usage: ./bench.sh [RUNS]   (default 100 runs of each)
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
for preset in host windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done
python3 bench/bench.py build/host build/windows "${1:-100}"
