#!/bin/sh
# SPDX-License-Identifier: MIT
# Makes a small exFAT file system, as on a memory card or USB stick, and mounts it at FOLDER
# through a loop device and exfat-fuse; `unmount` takes it away again.
#   exfat_mount.sh mount FOLDER     exits 77 (skipped) with a notice where the machine cannot
#   exfat_mount.sh unmount FOLDER
set -u
action=$1 folder=$2
image="$folder.img"

unmount() {
    if mountpoint -q "$folder"; then
        umount "$folder" 2>/dev/null || umount -l "$folder"
    fi
    for device in $(losetup -j "$image" -O NAME -n 2>/dev/null); do
        losetup -d "$device"
    done
    rm -f "$image"
}

cannot() {
    echo "NOTICE: no exFAT file system can be mounted here ($1): the exFAT tests are skipped"
    exit 77
}

if [ "$action" = unmount ]; then
    unmount
    exit 0
fi

unmount
[ "$(id -u)" -eq 0 ] || cannot "mounting needs root"
[ -e /dev/fuse ] || cannot "no /dev/fuse"
for tool in losetup mkfs.exfat mount.exfat-fuse; do
    command -v "$tool" >/dev/null || cannot "$tool is missing: tools/test installs it"
done
mkdir -p "$folder"
truncate -s 256M "$image" && mkfs.exfat "$image" >/dev/null 2>&1 || cannot "mkfs.exfat failed"
device=$(losetup -f --show "$image" 2>/dev/null) || cannot "no loop device"
if ! mount.exfat-fuse -o uid=0,gid=0 "$device" "$folder" >/dev/null 2>&1; then
    losetup -d "$device"
    cannot "mount.exfat-fuse failed"
fi
mkdir -p "$folder/tmp"
echo "exFAT mounted at $folder"
