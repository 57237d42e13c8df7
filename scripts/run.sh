#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts it. Without a display it runs
# under a virtual X server (xvfb-run) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Talvex under xvfb-run (a virtual X server); nothing will be visible."
    exec xvfb-run -a build/default/bin/talvex "$@"
fi
exec build/default/bin/talvex "$@"
