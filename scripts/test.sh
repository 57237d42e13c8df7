#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test: the release build with
# assertions and its Debian package (checked, and tried in a throw-away root), then the same tests
# under AddressSanitizer and UBSan, then a build without Qt, then the Windows build of the core and
# platform layer with its tests under Wine, and last clang-tidy over the sources.
# Pass "quick" to skip the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
presets=(default asan)
[ "${1:-}" = "quick" ] && presets=(default)

export QT_QPA_PLATFORM=offscreen
for preset in "${presets[@]}"; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset"
    if [ "$preset" = default ]; then
        echo "== package"
        scripts/package-test.sh build/default
    fi
done

if [ "${1:-}" != "quick" ]; then
    # The core, platform layer and engine must build without Qt; the tests above already ran them.
    echo "== noqt (build only)"
    cmake --preset noqt >/dev/null
    cmake --build --preset noqt -j "$jobs" >/dev/null
fi

# The core and the Win32 platform layer, cross-built with mingw-w64; their tests run under Wine.
echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows

# Last, so that its findings never hide a failing test; it reads the default build's compile commands.
echo "== clang-tidy"
scripts/tidy.sh
