#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, plain and under
# AddressSanitizer and UndefinedBehaviorSanitizer; the checks of the Windows
# executable, its end-to-end tests and the installers under Wine; and each
# fuzz target for a bounded time (60 s; FUZZ_SECONDS=N to change).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
for preset in host host-asan windows fuzz; do
  echo "=== $preset"
  if [ "$preset" = fuzz ]; then
    cmake --preset fuzz -DFUZZ_SECONDS="${FUZZ_SECONDS:-60}" >/dev/null
  else
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
