#!/usr/bin/env bash
# Builds the Debian package from a Release build, checks it with lintian,
# installs it with apt-get, runs the installed programs and the desktop and
# AppStream validators on the installed files, removes the package and checks
# that nothing of it is left. Needs root or sudo; a Quorvane package already
# installed is refused.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
build=build/package

echo "== Release build and Debian package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/quorvane_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$top/$build"/quorvane_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes," \
     "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
dpkg-deb -f "$deb" Package Version Section Depends Recommends

echo "== lintian"
# Debian's own checks of the package; any error fails the check.
lintian --fail-on error --info "$deb"

if dpkg-query -W -f='${Status}' quorvane 2>/dev/null | grep -q "ok installed"; then
    echo "quorvane is already installed; remove it first" >&2
    exit 1
fi

scratch=$(mktemp -d)
installed=no
cleanup() {
    [ "$installed" = yes ] && $sudo apt-get purge -y quorvane >/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

echo "== install"
# Without the recommended Wine: the checks do not need it.
$sudo apt-get install -y --no-install-recommends "$deb"
installed=yes
dpkg -L quorvane >"$scratch/files"

echo "== the installed programs"
# Everything the programs write goes into the scratch folder.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache" \
       XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" WINEPREFIX="$scratch/wine"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
version=$(dpkg-deb -f "$deb" Version)
[ "$(/usr/bin/quorvane-cli --version)" = "quorvane-cli $version" ] || {
    echo "quorvane-cli --version says \"$(/usr/bin/quorvane-cli --version)\"" >&2; exit 1; }

/usr/bin/quorvane-cli demo >"$scratch/demo"
mapfile -t demo <"$scratch/demo"
/usr/bin/quorvane-cli list --type winks --passport "${demo[2]}" --wine-prefix "${demo[0]}" \
    --wine-user "${demo[1]}" | tee "$scratch/list"
# The demo account holds 6 Winks; listing them expands each cabinet with the
# installed extract tool.
[ "$(wc -l <"$scratch/list")" -eq 6 ] || { echo "the demo's Winks are not all listed" >&2; exit 1; }

# The window starts (on the demo account, as the Wine prefix is empty) and
# keeps running until the timeout ends it.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/quorvane || status=$?
[ "$status" -eq 124 ] || { echo "quorvane ended with status $status before the timeout" >&2; exit 1; }

echo "== validators"
desktop-file-validate /usr/share/applications/quorvane.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.quorvane.Quorvane.metainfo.xml

echo "== remove"
$sudo apt-get purge -y quorvane
installed=no
# None of the package's files may be left; a folder of it may stay only when
# something else keeps files in it (the shared ones such as /usr/bin).
left=0
while IFS= read -r path; do
    [ "$path" = /. ] && continue
    if [ -L "$path" ] || [ -f "$path" ] || { [ -d "$path" ] && [ -z "$(ls -A "$path")" ]; }; then
        echo "left behind: $path" >&2
        left=1
    fi
done <"$scratch/files"
[ "$left" -eq 0 ]
echo "== package check passed"
