#!/usr/bin/env bash
# Installs what Quorvane needs to build and test on Debian 12.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang-14 libclang-rt-14-dev clang-format
    libssl-dev libgcab-dev libmspack-dev libexpected-dev libtsk-dev
    libavcodec-dev libavformat-dev libavutil-dev libavfilter-dev libswscale-dev libswresample-dev
    libwebp-dev zlib1g-dev liblzma-dev
    qt6-base-dev qt6-webengine-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    cabextract gcab
    dosfstools mtools fdisk qemu-utils ewf-tools xz-utils
    chromium chromium-driver python3-selenium qt6-image-formats-plugins
    gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    dpkg-dev file desktop-file-utils appstream lintian
)

# The preview's Flash player comes from the npm registry ("npm ci" in the
# build); Debian's npm, unless an npm is installed already (a Node.js from
# elsewhere brings its own and conflicts with Debian's).
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
