#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian 12 package that building, running and testing Talvex needs.
# Idempotent: prints nothing and touches nothing when everything is already there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ clang clang-format clang-tidy libclang-rt-14-dev gettext
    # tests
    libgtest-dev libgmock-dev
    # the program
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-svg-dev
    # the package: its dependencies, manual pages, and the checks of the desktop and of Debian
    dpkg-dev gzip desktop-file-utils appstream lintian
    # running the program without a display, and its fonts (Tahoma metrics)
    xvfb xauth fonts-wine fonts-dejavu-core
    # image and burn steps, and the engine benchmark's peers
    genisoimage xorriso rsync
    # the Windows build and its tests: mingw-w64 (posix threads, for std::thread) and 64-bit Wine
    # (wine64 only recommends "wine", which brings wineserver to PATH; recommends are not installed)
    g++-mingw-w64-x86-64-posix wine64 wine
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
