#!/usr/bin/env bash
# Builds Quorvane and starts it. Until the window is part of the build this
# starts the command-line front end: with arguments, they are passed on;
# without, it shows its help.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build/release" -j "$(nproc)"
if [ $# -eq 0 ]; then
    echo "The Quorvane window is not built yet; this is the command-line front end." >&2
    exec "$top/build/release/bin/quorvane-cli" --help
fi
exec "$top/build/release/bin/quorvane-cli" "$@"
