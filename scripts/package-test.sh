#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a built folder, checks it as the desktop and Debian's tools do, and
# tries the installed layout in a throw-away root: the programs start, robocopy copies, and the
# desktop finds the entry, the MIME type and the icons where it looks for them.
set -euo pipefail
build="${1:-build/default}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

( cd "$build" && cpack -G DEB >/dev/null )
deb="$(ls "$build"/talvex_*.deb | head -n 1)"
id="$(sed -n 's/^set(TALVEX_APP_ID "\(.*\)")$/\1/p' cmake/Version.cmake)"

desktop-file-validate "$build/data/$id.desktop"
appstreamcli validate --no-net --pedantic "$build/data/$id.metainfo.xml" >/dev/null
# lintian says E: for errors; warnings are reported but do not fail.
lintian --tag-display-limit 0 "$deb" 2>/dev/null | tee "$work/lintian.txt"
if grep -q '^E:' "$work/lintian.txt"; then
    echo "package-test: lintian found errors" >&2
    exit 1
fi

root="$work/root"
dpkg -x "$deb" "$root"
fail() { echo "package-test: $*" >&2; exit 1; }
for file in "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/mime/packages/$id.xml" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "usr/share/man/man1/robocopy.1.gz" "usr/share/man/man1/talvex.1.gz" "usr/share/doc/talvex/copyright" \
    "usr/share/talvex/locale/en/LC_MESSAGES/default.mo" "usr/lib/talvex/talvex-burn"; do
    [ -f "$root/$file" ] || fail "missing $file"
done
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ] || fail "missing ${size}px icon"
done
# The links on the PATH lead into one program folder, where the program looks for its engine.
[ "$(dirname "$(readlink -f "$root/usr/bin/talvex")")" = "$(dirname "$(readlink -f "$root/usr/bin/robocopy")")" ] ||
    fail "talvex and robocopy are not in one program folder"
if ldd "$root/usr/lib/talvex/talvex" | grep -q 'not found'; then
    fail "the installed talvex misses a library"
fi
"$root/usr/bin/talvex" --version | grep -q '^talvex ' || fail "talvex --version"
"$root/usr/bin/robocopy" --version | grep -q '^robocopy ' || fail "robocopy --version"
"$root/usr/bin/robocopy" '/?' >/dev/null || fail "robocopy /? does not exit 0"

mkdir -p "$work/src/sub" "$work/dst"
echo one > "$work/src/a.txt"
echo two > "$work/src/sub/b.txt"
status=0
"$root/usr/bin/robocopy" "$work/src" "$work/dst" /MIR /NJH /NJS /NP >/dev/null || status=$?
[ "$status" -eq 1 ] || fail "the installed robocopy returned $status instead of 1"
diff -r "$work/src" "$work/dst" || fail "the installed robocopy copied something else"
echo "package-test: $(basename "$deb") installs, starts and copies"
