#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, plain and under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the checks of the
# Windows executable, its end-to-end tests and the installers under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
for preset in host host-asan windows; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
