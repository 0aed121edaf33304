# SPDX-License-Identifier: MIT
# Shared by tools/run and tools/test: installs what the build needs and is missing.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=${JOBS:-2}

# Debian packages the build, the tests and the window need. Info-ZIP's unzip reads the KMZ outputs
# as a reader of its own; gdal-bin is the real KML reader the outputs are checked with, and writes
# KML as QGIS does; libxml2-utils' xmllint tells where the time element stands; strace shows that
# outputs reach the disk before their names; exfatprogs and exfat-fuse make the exFAT file system
# of a memory card.
PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgl-dev googletest libgtest-dev fonts-dejavu-core
    desktop-file-utils zlib1g-dev unzip man-db appstream gdal-bin libxml2-utils strace exfatprogs
    exfat-fuse)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    # Only root installs; elsewhere the script says what to install and stops, rather than asking
    # for a password in the middle of a build.
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing; install them as root, then run this again:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
