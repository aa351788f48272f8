#!/bin/bash
# How long the disk-image program takes to find the users on a disk that
# holds many other files: it reads the folders named "Users" and "Documents
# and Settings" at each volume's root and nothing else, so 200,000 files
# elsewhere on the volume cost nothing. Each figure is the median of 9 runs,
# with the peak memory of the run.
#
#   bench/bench_disk_image.sh BUILD_DIR [FILES]   (FILES: default 200000)
set -euo pipefail

build=$1
files=${2:-200000}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tool=$build/libexec/quorvane/diskimage
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-bench-disk.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A FAT32 volume (mtools needs no privilege) with the files in folders of
# 1,000 beside one user's Messenger folder, as a VMDK in an MBR disk.
tree=$work/tree
mkdir -p "$tree/Data" "$tree/Users/Ann/AppData/Roaming/Microsoft/MSN Messenger/1/Winks3"
echo wink >"$tree/Users/Ann/AppData/Roaming/Microsoft/MSN Messenger/1/Winks3/a.cab"
python3 - "$tree/Data" "$files" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for n in range(count):
    folder = os.path.join(root, "d%04d" % (n // 1000))
    if n % 1000 == 0:
        os.mkdir(folder)
    open(os.path.join(folder, "f%04d.txt" % (n % 1000)), "w").write("x")
PY
image=$(VOLUME_MIB=$(( files / 1200 + 40 )) "$here/../tests/diskimage/make-disk-image.sh" \
    "$tree" fat32 mbr vmdk "$work/disk")
echo "image: $(du -h --apparent-size "$image" | cut -f1) VMDK, FAT32 in an MBR disk, $files files"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
runs=$work/runs
for _ in 1 2 3 4 5 6 7 8 9; do
    /usr/bin/time -f "%e %M" -o "$work/one" "$tool" /USERS "$image" >/dev/null
    cat "$work/one" >>"$runs"
done
echo "find the users: median $(cut -d' ' -f1 "$runs" | median) s," \
     "peak memory $(cut -d' ' -f2 "$runs" | median) KB (target: under 2 s)"
