#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test: the release build with
# assertions, then the same tests under AddressSanitizer and UBSan.
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
done
