#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the repository's .clang-tidy over our sources (src/), using the compile
# commands of the default build, and fails with one line per finding when anything is found.
#
#   scripts/tidy.sh                 every source file
#   scripts/tidy.sh --changed BASE  only the files that differ from BASE (a commit or branch),
#                                   committed or not; a changed header brings its own .cpp
#
# Tests are left out: GoogleTest's macros and the tables of cases trip checks meant for
# production code, and the warnings would drown the ones that matter.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
base=""
case "${1:-}" in
--changed)
    base="${2:?--changed needs a base commit}"
    ;;
"") ;;
*)
    echo "usage: $0 [--changed BASE]" >&2
    exit 2
    ;;
esac

command -v clang-tidy >/dev/null || {
    echo "clang-tidy is missing: run scripts/install-deps.sh" >&2
    exit 2
}
[ -f "$build/compile_commands.json" ] || cmake --preset default >/dev/null
# Qt's generated headers must exist before the GUI files can be parsed.
autogen=$(ninja -C "$build" -t targets all | sed -n 's/^\([A-Za-z0-9_]*_autogen\): .*/\1/p' | sort -u)
if [ -n "$autogen" ]; then
    # shellcheck disable=SC2086 # one word per target
    cmake --build "$build" --target $autogen >/dev/null
fi

root=$(pwd)
mapfile -t all < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$build/compile_commands.json" |
    sed "s#^$root/##" | grep '^src/' | sort -u)

files=()
if [ -z "$base" ]; then
    files=("${all[@]}")
else
    mapfile -t changed < <(git diff --name-only "$base" -- src | sed 's/\.h$/.cpp/' | sort -u)
    for f in "${changed[@]}"; do
        if printf '%s\n' "${all[@]}" | grep -qx "$f"; then
            files+=("$f")
        fi
    done
fi
if [ ${#files[@]} -eq 0 ]; then
    echo "tidy: no files to check"
    exit 0
fi

out=$(mktemp)
trap 'rm -f "$out"' EXIT
# clang-tidy exits non-zero only for files it cannot parse; the warnings are collected below.
printf '%s\n' "${files[@]}" |
    xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet 2>/dev/null >"$out" || true

# A header's finding is reported once for every file that includes it: keep one of each.
findings=$(grep -E '^/.*: (warning|error): .* \[[a-z0-9.,-]+\]$' "$out" | sed "s#^$root/##" | sort -u || true)
if [ -z "$findings" ]; then
    echo "tidy: ${#files[@]} files, no findings"
    exit 0
fi
echo "$findings"
echo
echo "tidy: $(echo "$findings" | wc -l) findings in ${#files[@]} files, by check:"
echo "$findings" | sed -E 's/.*\[([a-z0-9.,-]+)\]$/\1/' | sort | uniq -c | sort -rn
exit 1
