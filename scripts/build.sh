#!/usr/bin/env bash
# Configures and builds one build tree. Usage: scripts/build.sh [normal|asan]
#   normal -> build/       (RelWithDebInfo)
#   asan   -> build-asan/  (Debug, AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:-normal}
case "$kind" in
  normal) dir=build; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) dir=build-asan; flags=(-DCMAKE_BUILD_TYPE=Debug -DUCHIWAKE_SANITIZE=ON -DUCHIWAKE_BUILD_BENCHMARKS=OFF) ;;
  *) echo "usage: $0 [normal|asan]" >&2; exit 2 ;;
esac
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${generator[@]}" "${flags[@]}"
fi
cmake --build "$dir" --parallel "${UCHIWAKE_JOBS:-$(nproc)}"
