#!/bin/sh
# Installs the build into a temporary prefix and runs the programs from there:
# they must find their cabinet tools and data beside their own folder.
# Usage: install-test.sh CMAKE BUILD_DIR WITH_WINDOW(ON|OFF)
set -eu
cmake=$1 build=$2 window=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$tmp/prefix" >/dev/null
p=$tmp/prefix
for f in bin/quorvane-cli libexec/quorvane/cabarc libexec/quorvane/extract \
         share/man/man1/quorvane-cli.1.gz; do
    [ -f "$p/$f" ] || fail "$f is not installed"
done
if [ "$window" = ON ]; then
    for f in bin/quorvane share/quorvane/staticPanel.png share/quorvane/stretchPanel.png \
             share/quorvane/staticPanel@2x.png share/quorvane/icons/backup@2x.png \
             share/quorvane/help/index.html share/quorvane/icons/backup.png \
             share/applications/quorvane.desktop share/man/man1/quorvane.1.gz \
             share/metainfo/io.github.quorvane.Quorvane.metainfo.xml \
             share/icons/hicolor/scalable/apps/quorvane.svg; do
        [ -f "$p/$f" ] || fail "$f is not installed"
    done
    for n in 16 24 32 48 64 128 256; do
        [ -f "$p/share/icons/hicolor/${n}x$n/apps/quorvane.png" ] || fail "no ${n}x$n icon"
    done
fi

# Nothing the programs write may land outside the temporary folder; the empty
# Wine prefix makes the window open on the demo account.
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" \
       XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" WINEPREFIX="$tmp/wine"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The demo's 6 Winks, listed by the installed program: each cabinet is
# expanded by the installed extract.
list_winks() { # PREFIX USER
    "$p/bin/quorvane-cli" list --type winks --passport demo@quorvane.example \
        --wine-prefix "$1" --wine-user "$2" >"$tmp/list" || fail "list on $1"
    [ "$(wc -l <"$tmp/list")" -eq 6 ] || fail "list shows $(wc -l <"$tmp/list") Winks, not 6"
}

"$p/bin/quorvane-cli" --version | grep -q '^quorvane-cli [0-9]' || fail "no version"
XDG_DATA_HOME="$tmp/cli-data" "$p/bin/quorvane-cli" demo >"$tmp/demo" || fail "demo"
[ "$(sed -n 3p "$tmp/demo")" = demo@quorvane.example ] || fail "demo: $(cat "$tmp/demo")"
list_winks "$(sed -n 1p "$tmp/demo")" "$(sed -n 2p "$tmp/demo")"

if [ "$window" = ON ]; then
    # The window writes its demo account with the installed cabarc, then
    # keeps running until the timeout ends it.
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 "$p/bin/quorvane" || status=$?
    [ "$status" -eq 124 ] || fail "quorvane ended with status $status"
    list_winks "$XDG_DATA_HOME/quorvane/demo-wine" "$(sed -n 2p "$tmp/demo")"
fi
