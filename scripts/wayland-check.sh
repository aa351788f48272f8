#!/usr/bin/env bash
# Starts the window under a headless Wayland compositor (sway) on the demo
# account, takes a screenshot with grim and checks that the window painted
# its skin there. sway refuses to run as root: run as root, the check runs
# the compositor and the window as the user "nobody", on a copy of the built
# programs in a scratch folder that user can read.
# Usage: scripts/wayland-check.sh [build folder, default build/test]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/test}
[ -x "$build/bin/quorvane" ] || { echo "wayland-check: build $build first" >&2; exit 1; }

packages=(sway grim qt6-wayland imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
as=()
if [ "$(id -u)" -eq 0 ]; then
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
cleanup() {
    kill "${app:-}" "${compositor:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/quorvane" "$work/home" "$work/run"
cp -r "$build/bin" "$build/libexec" "$build/share" "$work/quorvane/"
cat >"$work/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1280x900
default_border none
EOF
chmod 755 "$work"
chmod 700 "$work/run"
[ ${#as[@]} -eq 0 ] || chown -R 65534:65534 "$work"

run() {
    "${as[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" USER=demo XDG_RUNTIME_DIR="$work/run" "$@"
}
run WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [ -S "$work/run/wayland-1" ] && break
    sleep 0.1
done
[ -S "$work/run/wayland-1" ] || { cat "$work/sway.log" >&2; echo "wayland-check: sway did not start" >&2; exit 1; }

# A home without Wine: the window opens on the demo account.
run WAYLAND_DISPLAY=wayland-1 QT_QPA_PLATFORM=wayland "$work/quorvane/bin/quorvane" \
    >"$work/quorvane.log" 2>&1 &
app=$!

# The skin's panel colour covers much of the window once it has painted.
painted=0
for _ in $(seq 60); do
    sleep 0.5
    kill -0 "$app" 2>/dev/null || { cat "$work/quorvane.log" >&2; echo "wayland-check: the window ended" >&2; exit 1; }
    run WAYLAND_DISPLAY=wayland-1 grim "$work/shot.png" 2>/dev/null || continue
    painted=$(convert "$work/shot.png" -format %c histogram:info:- |
              awk '/#DDFFFF/ { sub(":", "", $1); print $1 }')
    [ "${painted:-0}" -gt 20000 ] && break
done
if [ "${painted:-0}" -le 20000 ]; then
    cp "$work/shot.png" "${TMPDIR:-/tmp}/quorvane-wayland.png" 2>/dev/null || true
    echo "wayland-check: the window did not paint under Wayland (${painted:-0} panel pixels)" >&2
    exit 1
fi
echo "wayland-check: the window painted under Wayland (${painted} panel pixels)"
