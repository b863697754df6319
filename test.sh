#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, plain and under
# AddressSanitizer and UndefinedBehaviorSanitizer; the checks of the Windows
# executables, their end-to-end tests and the installers under Wine; and each
# fuzz target for a bounded time (60 s; FUZZ_SECONDS=N to change). Ends with
# a summary of every suite; the exit status is 0 only if all passed.
set -uo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh || exit 1
results="$PWD/build/test-results"
mkdir -p "$results"
status=0
for preset in host host-asan windows fuzz; do
  echo "=== $preset"
  rm -f "$results/$preset.xml"
  configure=(cmake --preset "$preset")
  [ "$preset" = fuzz ] && configure+=(-DFUZZ_SECONDS="${FUZZ_SECONDS:-60}")
  if "${configure[@]}" >/dev/null && cmake --build --preset "$preset"; then
    ctest --preset "$preset" --output-junit "$results/$preset.xml" || status=1
  else
    status=1
  fi
done
python3 tools/test_summary.py "$results" host host-asan windows fuzz
exit $status
