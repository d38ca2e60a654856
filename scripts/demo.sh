#!/usr/bin/env bash
# The main job on the demo ledger: sets up what is missing, builds, makes a
# fresh demo prefix (out/demo) and runs TalGrn19ToUG13_U through talhost.
# With a display the real windows appear; without one the run is headless,
# driven by scripts/demo.script, and its transcript is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
scripts/build.sh normal

export UCHIWAKE_PREFIX="$PWD/out/demo"
rm -rf "$UCHIWAKE_PREFIX"
build/bin/talhost init --demo

args=(run TalGrn19ToUG13_U --func 7)
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "== no display: running headless with scripts/demo.script"
  args+=(--script "$PWD/scripts/demo.script")
fi
set +e
build/bin/talhost "${args[@]}"
status=$?
set -e
echo "== reports written:"
find "$UCHIWAKE_PREFIX/drive_c" -name '*.xml' -print
echo "== talhost exit status: $status (the result code posted by the program)"
exit $status
