#!/usr/bin/env bash
# Makes the Wine-made test account: a Messenger account folder whose
# protected files (each category's map.dat and the catalogues in MapFile)
# were protected by real Wine, as Messenger running under Wine leaves them.
#
#  1. Builds quorvane_account_exporter and runs it: it writes a test account
#     (all six categories) into a throw-away application-data folder, with
#     the plain text of every protected file and the objects the account
#     must list (expected-objects.tsv).
#  2. Builds ../wine-dpapi/dpapi-helper.c with mingw and, under Wine (a
#     throw-away prefix, a fixed user name), checks that Wine reads the
#     files as this program wrote them, then protects every plain text
#     again with Wine's CryptProtectData (the passport as typed is the
#     entropy) and writes each file back as its two leading bytes followed
#     by Wine's blob.
#  3. Has Wine unprotect the written files again (with the passport as
#     typed: must work; with the passport in lower case: must fail).
#  4. Copies the account folder (Microsoft/MSN Messenger/<id>, objects
#     included), expected-objects.tsv and a README.md next to this script,
#     then runs the WineAccount unit tests on them.
#
# The unit tests themselves never need Wine; this script is run by hand when
# the account has to be remade.
#
# Environment:
#   QUORVANE_BUILD_DIR  where to build (default: build-wine-account in the
#                       source tree)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)

# The passport has upper-case letters: the account folder is named by the
# lower-cased passport, while the entropy is the passport as typed. The Wine
# user has a letter outside ASCII: Wine makes the key from the name in the
# ANSI code page (Windows-1252), and the user's folder under drive_c/users
# carries it in UTF-8.
passport="Wine.User@example.com"
wine_user="jürgen"

say() { printf '%s\n' "$*" >&2; }
die() { say "make-account: $*"; exit 1; }

for tool in cmake wine wineserver x86_64-w64-mingw32-gcc perl iconv cmp; do
    command -v "$tool" >/dev/null || die "$tool is missing"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-wine-account.XXXXXX")
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

hex_of() { perl -e 'local $/; binmode STDIN; print unpack("H*", <STDIN>)'; }

# --- 1. The account as this program writes it ------------------------------

build=${QUORVANE_BUILD_DIR:-$repo/build-wine-account}
generator=()
command -v ninja >/dev/null && [ ! -f "$build/CMakeCache.txt" ] && generator=(-G Ninja)
cmake -S "$repo" -B "$build" "${generator[@]}" >"$work/cmake.log" 2>&1 ||
    die "cmake configure failed, see below:"$'\n'"$(tail -20 "$work/cmake.log")"
cmake --build "$build" --target quorvane_account_exporter >>"$work/cmake.log" 2>&1 ||
    die "build failed, see below:"$'\n'"$(tail -20 "$work/cmake.log")"

appdata="$work/appdata"
export_dir="$work/export"
"$build/bin/quorvane_account_exporter" "$appdata" "$passport" "$wine_user" "$export_dir" ||
    die "the exporter failed"
account=$(head -n1 "$export_dir/account.txt")
[ -d "$appdata/$account" ] || die "the exporter wrote no account folder $account"
case $account in
    "Microsoft/MSN Messenger/"[0-9]*) ;;
    *) die "unexpected account folder $account" ;;
esac

# --- 2. Wine protects the plain texts --------------------------------------

x86_64-w64-mingw32-gcc -O2 -Wall -o "$work/dpapi-helper.exe" "$here/../wine-dpapi/dpapi-helper.c" \
    -lcrypt32

# Runs the helper as the Wine user, in the current folder. Output goes to a
# file: Wine's server keeps inherited pipes open for seconds.
run_helper() {
    USER="$wine_user" wine "$work/dpapi-helper.exe" "$@" </dev/null >>"$work/wine.log" 2>&1
}
# Runs a job list and insists on one result a line, each as expected.
run_jobs() {
    local jobs=$1 expected=$2 what=$3
    rm -f results.txt
    run_helper batch "$jobs" results.txt || die "the helper failed ($what)"
    [ "$(wc -l <"$jobs")" = "$(wc -l <results.txt)" ] ||
        die "the helper left jobs undone ($what)"
    if [ "$expected" = ok ]; then
        ! grep -qv '^ok$' results.txt || die "Wine failed ($what): $(tr '\n' ' ' <results.txt)"
    else
        ! grep -q '^ok$' results.txt || die "Wine did not fail ($what): $(tr '\n' ' ' <results.txt)"
    fi
}

say "$(wine --version), prefix $WINEPREFIX"
cd "$export_dir"
printf '%s' "$passport" | iconv -f UTF-8 -t CP1252 >entropy.bin
printf '%s' "$passport" | tr 'A-Z' 'a-z' | iconv -f UTF-8 -t CP1252 >entropy-lower.bin
cmp -s entropy.bin entropy-lower.bin && die "the passport has no upper-case letter"

# The name Wine hashes is GetUserNameA's: make sure it is the one meant.
run_helper user user.bin || die "the helper failed to name the user"
user_hex=$(printf '%s' "$wine_user" | iconv -f UTF-8 -t CP1252 | hex_of)
[ "$(hex_of <user.bin)" = "$user_hex" ] ||
    die "Wine calls user '$wine_user' $(hex_of <user.bin), expected $user_hex"

mapfile -t plains < <(cut -f1 protected.tsv)
mapfile -t paths < <(cut -f2 protected.tsv)
[ "${#plains[@]}" -eq 12 ] || die "expected 12 protected files, the exporter lists ${#plains[@]}"

# Wine must read the files as this program wrote them, too.
: >ours.jobs
for i in "${!plains[@]}"; do
    tail -c +3 "$appdata/${paths[$i]}" >"ours-$i.blob"
    printf 'unprotect ours-%s.blob entropy.bin ours-%s.plain\n' "$i" "$i" >>ours.jobs
done
run_jobs ours.jobs ok "unprotecting this program's files"
for i in "${!plains[@]}"; do
    cmp -s "ours-$i.plain" "${plains[$i]}" || die "Wine reads ${paths[$i]} differently"
done

: >protect.jobs
for i in "${!plains[@]}"; do
    printf 'protect %s entropy.bin wine-%s.blob\n' "${plains[$i]}" "$i" >>protect.jobs
done
run_jobs protect.jobs ok "protecting"
for i in "${!plains[@]}"; do
    file="$appdata/${paths[$i]}"
    { head -c 2 "$file"; cat "wine-$i.blob"; } >"$file.new"
    mv "$file.new" "$file"
    tail -c +3 "$file" | cmp -s - "ours-$i.blob" && die "${paths[$i]} still holds this program's blob"
done

# --- 3. Wine reads back what it wrote --------------------------------------

: >check.jobs
: >lower.jobs
for i in "${!plains[@]}"; do
    tail -c +3 "$appdata/${paths[$i]}" >"check-$i.blob"
    cmp -s "check-$i.blob" "wine-$i.blob" || die "${paths[$i]} does not hold Wine's blob"
    printf 'unprotect check-%s.blob entropy.bin check-%s.plain\n' "$i" "$i" >>check.jobs
    printf 'unprotect check-%s.blob entropy-lower.bin lower-%s.plain\n' "$i" "$i" >>lower.jobs
done
run_jobs check.jobs ok "unprotecting the written files"
for i in "${!plains[@]}"; do
    cmp -s "check-$i.plain" "${plains[$i]}" || die "Wine unprotects ${paths[$i]} to other text"
done
run_jobs lower.jobs fail "unprotecting with the lower-case passport"
say "Wine protected ${#plains[@]} files and unprotects them again (not with the lower-case passport)"

# --- 4. The test data ------------------------------------------------------

rm -rf "$here/Microsoft" "$here/expected-objects.tsv"
mkdir -p "$here/$(dirname "$account")"
cp -R "$appdata/$account" "$here/$account"
cp expected-objects.tsv "$here/"
size=$(cat "$here/$account"/*/* | wc -c)
[ "$size" -lt 300000 ] || die "the account takes $size bytes"

account_id=$(basename "$account")
wine_version=$(wine --version)
cat >"$here/README.md" <<EOF
# A Messenger account protected by real Wine

\`$account/\` is the folder Messenger 7.5 keeps for the passport
\`$passport\` when it runs under Wine as the Wine user \`$wine_user\`. Each
content category's \`map.dat\` and the six catalogues in \`MapFile/\` are
protected files: two leading bytes, then a blob made by the
\`CryptProtectData\` of $wine_version, for the Wine user \`$wine_user\` (the key is made
from the name in Windows-1252), with the passport exactly as typed
(\`$passport\`, Windows-1252 bytes) as entropy. The folder name $account_id
is the hash of the passport in lower case. The object files (cabinets and
pictures) are the test account builder's.

\`expected-objects.tsv\` lists the objects the account holds, per category
in catalogue order (UTF-8): location, display name, key sequence of custom
emoticons, stamp of packaged objects.

\`tests/sources/WineAccountTest.cpp\` copies the folder into a fake Wine prefix
(\`drive_c/users/$wine_user/AppData/Roaming/Microsoft/...\`) and reads it with
the object lists and with \`quorvane-cli catalogue\`; Wine is not needed for
that.

## How it was made

\`make-account.sh\` (run by hand; needs cmake, wine and
x86_64-w64-mingw32-gcc):

1. \`quorvane_account_exporter\` (tests/support/AccountExporter.cpp) writes
   the account with this program's Wine data protection, and the plain text
   of every protected file (Base64 of UTF-16LE text) as this program reads
   it back.
2. \`../wine-dpapi/dpapi-helper.c\`, run under Wine in a throw-away prefix
   with \`USER=$wine_user\`, first unprotects the files as written (Wine
   reads them), then protects each plain text again with the passport as
   entropy; every file is written back as its two leading bytes followed by
   Wine's blob.
3. The helper unprotects the written files once more: with the passport
   as typed they give the plain texts again, with the passport in lower
   case Wine refuses them.
4. The account folder, \`expected-objects.tsv\` and this file are copied
   here, and the WineAccount unit tests run on them.

Do not edit these files by hand; run the script again instead (the blobs'
salts are random, so every run gives other bytes).
EOF

# --- 5. This program reads what Wine made ----------------------------------

cmake --build "$build" --target quorvane_sources_tests >>"$work/cmake.log" 2>&1 ||
    die "build failed, see below:"$'\n'"$(tail -20 "$work/cmake.log")"
"$build/bin/quorvane_sources_tests" --gtest_filter='WineAccount*' >"$work/tests.log" 2>&1 ||
    die "unit tests failed on the new account:"$'\n'"$(grep -E 'FAILED|Failure' -A3 "$work/tests.log" | head -40)"
say "unit tests pass on the new account: $(grep -E '^\[  PASSED  \]' "$work/tests.log")"
say "test data now takes $(find "$here" -type f ! -name make-account.sh -exec cat {} + | wc -c) bytes"
