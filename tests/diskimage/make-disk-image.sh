#!/bin/bash
# Makes a disk image holding a folder tree, with Debian's own tools, as an
# old computer's disk or a kept virtual machine would hold it.
#
#   make-disk-image.sh <tree> <ntfs|fat32> <none|mbr|gpt> <raw|split|vmdk|vhd|vhd_fixed|vhdx|e01> <out>
#
# <tree> is the volume's root ("Users/<name>/AppData/..."), or a volume made
# earlier and compressed with xz (<name>.img.xz), taken as it is. <out> is the
# image's path without extension; the path made is printed. An NTFS volume
# is filled through ntfs-3g, which needs root and /dev/fuse: without them the
# script exits 77. FAT32 needs no privilege (mtools).
set -euo pipefail

tree=$1 filesystem=$2 table=$3 format=$4 out=$5
work=$(mktemp -d)
trap 'mountpoint -q "$work/mnt" 2>/dev/null && umount "$work/mnt"; rm -rf "$work"' EXIT
volume=$work/volume.img
volume_mib=${VOLUME_MIB:-40}

if [ -f "$tree" ]; then
    xz -dc "$tree" >"$volume"
    volume_mib=$(($(stat -c %s "$volume") / 1048576))
    filesystem=given
fi

case $filesystem in
given) ;;
fat32)
    mkfs.vfat -F 32 -s 1 -n QUORVANE -C "$volume" $((volume_mib * 1024)) >/dev/null
    (cd "$tree" && for entry in *; do mcopy -s -Q -i "$volume" "$entry" ::/; done)
    ;;
ntfs)
    if [ "$(id -u)" -ne 0 ] || [ ! -c /dev/fuse ]; then
        echo "filling an NTFS volume needs root and /dev/fuse" >&2
        exit 77
    fi
    truncate -s ${volume_mib}M "$volume"
    mkntfs -q -F -f -L QUORVANE "$volume" >/dev/null 2>&1
    mkdir "$work/mnt"
    if ! ntfs-3g "$volume" "$work/mnt"; then
        echo "ntfs-3g could not mount a volume here" >&2
        exit 77
    fi
    cp -r --sparse=always "$tree"/. "$work/mnt/"
    umount "$work/mnt"
    ;;
*) echo "unknown file system $filesystem" >&2; exit 2 ;;
esac

disk=$work/disk.img
case $table in
none) mv "$volume" "$disk" ;;
mbr | gpt)
    truncate -s $((volume_mib + 2))M "$disk"
    sectors=$((volume_mib * 2048))
    if [ "$table" = mbr ]; then
        type=$([ "$filesystem" = fat32 ] && echo c || echo 7)
        printf 'label: dos\nstart=2048, size=%d, type=%s\n' "$sectors" "$type"
    else
        printf 'label: gpt\nstart=2048, size=%d, type=EBD0A0A2-B9E5-4433-87C0-68B6B72699C7\n' "$sectors"
    fi | sfdisk -q "$disk" >/dev/null
    dd if="$volume" of="$disk" bs=1M seek=1 conv=notrunc status=none
    ;;
*) echo "unknown partition table $table" >&2; exit 2 ;;
esac

case $format in
raw) mv "$disk" "$out.img"; echo "$out.img" ;;
split)
    split -b 16M -d -a 3 --numeric-suffixes=1 "$disk" "$out."
    echo "$out.001"
    ;;
vmdk) qemu-img convert -q -f raw -O vmdk -o subformat=monolithicSparse "$disk" "$out.vmdk"; echo "$out.vmdk" ;;
vhd) qemu-img convert -q -f raw -O vpc -o subformat=dynamic "$disk" "$out.vhd"; echo "$out.vhd" ;;
vhd_fixed) qemu-img convert -q -f raw -O vpc -o subformat=fixed "$disk" "$out.vhd"; echo "$out.vhd" ;;
vhdx) qemu-img convert -q -f raw -O vhdx "$disk" "$out.vhdx"; echo "$out.vhdx" ;;
e01)
    ewfacquire -u -q -t "$out" -f encase6 -c deflate:fast -S 1.4GiB "$disk" >/dev/null </dev/null
    echo "$out.E01"
    ;;
*) echo "unknown image format $format" >&2; exit 2 ;;
esac
