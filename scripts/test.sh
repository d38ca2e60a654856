#!/usr/bin/env bash
# Sets up what is missing, builds both trees (normal and sanitizers) and runs
# every test in each. Exit status 0 only when every test passed in both.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
for kind in normal asan; do
  scripts/build.sh "$kind"
done
status=0
# Unit and end-to-end tests run headless even on a desktop; the GUI tests
# start their own X server and ask for real windows themselves.
export UCHIWAKE_UI=headless
for dir in build build-asan; do
  echo "== tests in $dir"
  # Leaks in GTK and fontconfig are not ours; the suppressions keep ours visible.
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure --parallel 2 --timeout 300 -LE gui || status=1
  # Tests with real windows, one at a time, with one more try each: on a
  # loaded machine the toolkit has been seen to refuse a just-started X
  # server now and then (the program then falls back to headless, as it
  # should, and the test fails).
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure --timeout 300 -L gui --repeat until-pass:2 || status=1
done
exit $status
