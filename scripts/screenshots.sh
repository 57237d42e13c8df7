#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and writes pictures of the main window at its design size, one per job page,
# into build/screenshots (or the folder given). Runs under a virtual X server (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target talvex_screenshots robocopy talvex-burn
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" build/default/bin/talvex_screenshots "$out"
