#!/usr/bin/env bash
# Makes the Wine data protection test data with real Wine, and has Wine judge
# the blobs this program makes.
#
#  1. Builds dpapi-helper.c with mingw and runs it under Wine (throw-away
#     prefix, fixed user names) to protect plain texts of 0, 1, 15, 16, 17
#     and 4099 bytes, with and without entropy, for two user names (one of
#     them outside ASCII, to pin the code page of the name). Writes the
#     blobs, the plain texts and manifest.tsv next to this script.
#  2. Runs the WineDataProtection unit tests on those blobs, with
#     QUORVANE_WINE_DPAPI_EXPORT set, so they also write every blob they
#     make or damage, with this program's verdict, to a folder.
#  3. Hands each of those blobs to Wine's CryptUnprotectData and compares
#     verdicts (and plain texts). The outcome goes to wine-verdicts.tsv.
#
# The unit tests themselves never need Wine; this script is run by hand when
# the data has to be remade.
#
# Environment:
#   QUORVANE_TESTS_BIN  an already built quorvane_protection_tests to use
#   QUORVANE_BUILD_DIR  where to build it otherwise (default: build-wine-dpapi
#                       in the source tree)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)

# Blob verdicts where Wine 8.0 differs from this program on purpose: Wine
# passes the stored key length to CryptDeriveKey shifted into the upper 16
# bits of a 32-bit flag word, so 0 (the provider's default) and any value
# whose low 16 bits are 168 or 192 also work there. Messenger's blobs always
# carry 168; this program keeps to 168 and 192.
known_differences=" probe-key-length-0 probe-key-length-0x100a8 "

say() { printf '%s\n' "$*" >&2; }
die() { say "make-blobs: $*"; exit 1; }

# --- Tools -----------------------------------------------------------------

if ! command -v wine >/dev/null || ! command -v x86_64-w64-mingw32-gcc >/dev/null; then
    say "installing wine and gcc-mingw-w64-x86-64"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || die "wine and mingw are missing and this is not root"
        sudo=sudo
    fi
    $sudo apt-get update
    $sudo apt-get install -y wine gcc-mingw-w64-x86-64
fi
for tool in wine wineserver x86_64-w64-mingw32-gcc perl iconv cmp; do
    command -v "$tool" >/dev/null || die "$tool is missing"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-wine-dpapi.XXXXXX")
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export LANG=C.UTF-8
unset LC_ALL DISPLAY WAYLAND_DISPLAY
# No Mono or Gecko installer on the first start of the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

x86_64-w64-mingw32-gcc -O2 -Wall -o "$work/dpapi-helper.exe" "$here/dpapi-helper.c" -lcrypt32

hex_of() { perl -e 'local $/; binmode STDIN; print unpack("H*", <STDIN>)'; }
bytes_of() { perl -e 'binmode STDOUT; print pack("H*", $ARGV[0])' "$1"; }
ansi_hex() { printf '%s' "$1" | iconv -f UTF-8 -t CP1252 | hex_of; }
utf8_of_ansi_hex() { bytes_of "$1" | iconv -f CP1252 -t UTF-8; }

# Runs the helper as a Wine user, in the current folder. Output goes to a
# file: Wine's server keeps inherited pipes open for seconds.
run_helper() {
    local user=$1
    shift
    USER="$user" wine "$work/dpapi-helper.exe" "$@" </dev/null >>"$work/wine.log" 2>&1
}

say "$(wine --version), prefix $WINEPREFIX"

# --- 1. Blobs made by Wine -------------------------------------------------

users=("quorvane" "jürgen")
entropy_hex=51756f7276616e6500ff0120656e74726f7079   # "Quorvane\0\xff\x01 entropy"
sizes=(0 1 15 16 17 4099)
description="Quorvane map file"

make="$work/make"
mkdir -p "$make"
cd "$make"
for size in "${sizes[@]}"; do
    # Text for the short ones; every byte value for the long one.
    perl -e '
        binmode STDOUT;
        my $n = $ARGV[0];
        if ($n < 64) { print substr("Messenger content, kept safe by Quorvane.", 0, $n); }
        else { print map { chr(($_ * 131 + ($_ >> 8) * 7) & 255) } 0 .. $n - 1; }
    ' "$size" >"plain-$size.bin"
done
bytes_of "$entropy_hex" >entropy.bin

rm -f "$here"/*.blob "$here"/plain-*.bin "$here/manifest.tsv" "$here/wine-verdicts.tsv"
manifest="$here/manifest.tsv"
{
    printf '# Blobs made by %s CryptProtectData (make-blobs.sh).\n' "$(wine --version)"
    printf '# blob\tuser (ANSI code page, hex)\tentropy (hex, - for none)\tplain text\tdescription (- for none)\n'
} >"$manifest"

for user in "${users[@]}"; do
    user_hex=$(ansi_hex "$user")
    tag=$(printf '%s' "$user" | iconv -f UTF-8 -t ASCII//TRANSLIT | tr -cd 'a-z0-9')

    # The name Wine hashes is GetUserNameA's: make sure it is the one the
    # manifest claims.
    run_helper "$user" user user.bin || die "helper failed for user $user"
    [ "$(hex_of <user.bin)" = "$user_hex" ] ||
        die "Wine calls user '$user' $(hex_of <user.bin), expected $user_hex"

    : >jobs.txt
    : >rows.tsv
    for entropy in none entropy; do
        entropy_arg=-
        entropy_field=-
        if [ "$entropy" = entropy ]; then
            entropy_arg=entropy.bin
            entropy_field=$entropy_hex
        fi
        for size in "${sizes[@]}"; do
            blob="$tag-$entropy-$size.blob"
            printf 'protect plain-%s.bin %s %s\n' "$size" "$entropy_arg" "$blob" >>jobs.txt
            printf '%s\t%s\t%s\tplain-%s.bin\t-\n' "$blob" "$user_hex" "$entropy_field" "$size" >>rows.tsv
        done
        if [ "$tag" = quorvane ]; then
            size=$([ "$entropy" = entropy ] && echo 17 || echo 1)
            blob="$tag-$entropy-$size-described.blob"
            printf 'protect plain-%s.bin %s %s %s\n' "$size" "$entropy_arg" "$blob" "$description" >>jobs.txt
            printf '%s\t%s\t%s\tplain-%s.bin\t%s\n' "$blob" "$user_hex" "$entropy_field" "$size" "$description" >>rows.tsv
        fi
    done
    run_helper "$user" batch jobs.txt results.txt || die "helper batch failed for user $user"
    if [ "$(wc -l <jobs.txt)" != "$(wc -l <results.txt)" ] || grep -qv '^ok$' results.txt; then
        die "CryptProtectData failed for user $user: $(tr '\n' ' ' <results.txt)"
    fi
    cut -f1 rows.tsv | while read -r blob; do cp "$blob" "$here/"; done
    cat rows.tsv >>"$manifest"
done
cp plain-*.bin "$here/"
say "wrote $(($(grep -vc '^#' "$manifest"))) Wine blobs and manifest.tsv"

# --- 2. Unit tests on those blobs; they export ours ----------------------

tests_bin=${QUORVANE_TESTS_BIN:-}
if [ -z "$tests_bin" ]; then
    build=${QUORVANE_BUILD_DIR:-$repo/build-wine-dpapi}
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    cmake -S "$repo" -B "$build" "${generator[@]}" >"$work/cmake.log" 2>&1 ||
        die "cmake configure failed, see below:"$'\n'"$(tail -20 "$work/cmake.log")"
    cmake --build "$build" --target quorvane_protection_tests >>"$work/cmake.log" 2>&1 ||
        die "build failed, see below:"$'\n'"$(tail -20 "$work/cmake.log")"
    tests_bin="$build/bin/quorvane_protection_tests"
fi
ours="$work/ours"
mkdir -p "$ours"
QUORVANE_WINE_DPAPI_EXPORT="$ours" "$tests_bin" \
    --gtest_filter='WineDataProtection*:*WineMadeBlob*' >"$work/tests.log" 2>&1 ||
    die "unit tests failed on the new blobs:"$'\n'"$(grep -E 'FAILED|Failure' -A3 "$work/tests.log" | head -40)"
say "unit tests pass on the new blobs: $(grep -E '^\[  PASSED  \]' "$work/tests.log")"

# --- 3. Wine's verdict on our blobs ----------------------------------------

cd "$ours"
[ -s cases.tsv ] || die "the unit tests exported nothing"
verdicts="$here/wine-verdicts.tsv"
{
    printf '# Blobs made or damaged by quorvane_protection_tests, unprotected by %s (make-blobs.sh).\n' \
        "$(wine --version)"
    printf '# case\tthis program\tWine\toutcome\n'
} >"$verdicts"
agree=0
known=0
crashed=0
disagree=()
while IFS=$'\t' read -r name user_hex entropy expect plain; do
    # One Wine process per blob: a few damaged blobs crash Wine's reader.
    printf 'unprotect %s.blob %s %s.wine\n' "$name" "$entropy" "$name" >"$name.job"
    run_helper "$(utf8_of_ansi_hex "$user_hex")" batch "$name.job" "$name.result" || true
    result=$(head -n1 "$name.result" 2>/dev/null || true)
    case $result in
        ok)
            if [ "$expect" = ok ] && cmp -s "$name.wine" "$plain"; then
                wine_verdict=ok
            elif [ "$expect" = ok ]; then
                wine_verdict=other-plain
            else
                wine_verdict=ok
            fi
            ;;
        fail*) wine_verdict=fail ;;
        *) wine_verdict=crash ;;
    esac
    if [ "$wine_verdict" = "$expect" ] || { [ "$expect" = fail ] && [ "$wine_verdict" = crash ]; }; then
        outcome=agree
        agree=$((agree + 1))
        if [ "$wine_verdict" = crash ]; then
            outcome="agree (Wine crashes)"
            crashed=$((crashed + 1))
        fi
    elif [[ $known_differences == *" $name "* ]]; then
        outcome="known difference"
        known=$((known + 1))
    else
        outcome=DISAGREE
        disagree+=("$name: ours $expect, Wine $wine_verdict")
    fi
    printf '%s\t%s\t%s\t%s\n' "$name" "$expect" "$wine_verdict" "$outcome" >>"$verdicts"
done <cases.tsv

say "Wine agrees on $agree blobs ($crashed of them crash Wine's reader), $known known differences"
if [ "${#disagree[@]}" -gt 0 ]; then
    printf '  %s\n' "${disagree[@]}" >&2
    die "${#disagree[@]} verdicts differ from Wine"
fi
say "test data now takes $(cat "$here"/* | wc -c) bytes"
