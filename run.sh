#!/usr/bin/env bash
# Builds smbopener.exe and opens LINK with it under Wine, printing what
# Explorer was asked to open.   Usage: ./run.sh smb://server/share/dir
set -euo pipefail
cd "$(dirname "$0")"
[ $# -eq 1 ] || { echo "usage: $0 LINK" >&2; exit 2; }
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
python3 tools/try_link.py build/windows "$1"
