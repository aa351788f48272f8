#!/usr/bin/env bash
# Builds Quorvane and starts the window. With arguments, they go to the
# command-line front end instead (scripts/run.sh list --type winks ...).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build/release" -j "$(nproc)"
if [ $# -gt 0 ]; then
    exec "$top/build/release/bin/quorvane-cli" "$@"
fi
exec "$top/build/release/bin/quorvane"
