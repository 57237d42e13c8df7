#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked C++ file differs from what .clang-format makes of it, and names those files.
set -uo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS= read -r f; do
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f (run clang-format -i $f)"
        bad=1
    fi
done < <(git ls-files -- '*.cpp' '*.h')
exit $bad
