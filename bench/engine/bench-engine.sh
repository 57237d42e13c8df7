#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the bundled robocopy against cp -a and rsync -a on trees built in a temporary folder and
# prints the median of several runs with the ratio. It prints figures only; it never fails a build.
#
#   bench-engine.sh [path/to/robocopy]
#
# Sizes can be turned down through the environment: SMALL_FILES, BIG_FILES, BIG_MIB, MIRROR_FILES, RUNS.
set -euo pipefail

ROBOCOPY=${1:-$(dirname "$0")/../../build/default/bin/robocopy}
SMALL_FILES=${SMALL_FILES:-20000}
BIG_FILES=${BIG_FILES:-3}
BIG_MIB=${BIG_MIB:-256}
MIRROR_FILES=${MIRROR_FILES:-100000}
RUNS=${RUNS:-5}

for tool in "$ROBOCOPY" cp rsync perl; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/talvex-bench.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# Files of 1 to 8 KiB spread over nested folders of 100 files each.
make_tree() { # folder count
    perl -e '
        my ($root, $count) = @ARGV;
        my $block = "x" x 8192;
        for my $i (0 .. $count - 1) {
            my $folder = int($i / 100);
            my $dir = sprintf("%s/d%d/e%d/f%d", $root, $folder % 10, int($folder / 10) % 10, int($folder / 100));
            unless (-d $dir) { system("mkdir", "-p", $dir) == 0 or die }
            open(my $fh, ">", "$dir/file$i.dat") or die;
            print $fh substr($block, 0, 1024 + ($i * 37) % 7168);
            close $fh;
        }' "$1" "$2"
}

# Seconds one command takes; its output is dropped and its exit code ignored (robocopy's is a bit set).
time_of() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

median() { sort -g | awk '{ a[NR] = $1 } END { printf "%.3f", a[int((NR + 1) / 2)] }'; }

# Fresh copies of $1 by robocopy, cp -a and rsync -a, RUNS rounds. Deleting a tree makes the next
# writer on ext4 pay for inode allocation near recently freed inodes, so the order of the tools
# rotates from round to round and every tool writes after a deletion as often as the others.
fresh_copy() { # source folder, caption
    local tools=(robocopy cp rsync) rc=() cp_=() rs=() round i tool seconds
    for ((round = 0; round < RUNS; round++)); do
        for ((i = 0; i < 3; i++)); do
            tool=${tools[(round + i) % 3]}
            rm -rf "$WORK/out"
            sync
            case $tool in
            robocopy)
                rc+=("$(time_of "$ROBOCOPY" "$1" "$WORK/out" /E /COPYALL /DCOPY:T /R:0 /W:0)") ;;
            cp) cp_+=("$(time_of cp -a "$1" "$WORK/out")") ;;
            rsync) rs+=("$(time_of rsync -a "$1/" "$WORK/out/")") ;;
            esac
        done
    done
    row "$2" "$(printf '%s\n' "${rc[@]}" | median)" "cp -a" "$(printf '%s\n' "${cp_[@]}" | median)" \
        "rsync -a" "$(printf '%s\n' "${rs[@]}" | median)"
    rm -rf "$WORK/out"
}

# Re-syncs of each tool's own copy of $1; $2 prepares every run (untimed).
resync() { # source folder, preparation, caption
    local rc=() rs=() round
    for ((round = 0; round < RUNS; round++)); do
        eval "$2 \"\$WORK/rc\""
        sync
        rc+=("$(time_of "$ROBOCOPY" "$1" "$WORK/rc" /MIR /DCOPY:T /R:0 /W:0)")
        eval "$2 \"\$WORK/rs\""
        sync
        rs+=("$(time_of rsync -a --delete "$1/" "$WORK/rs/")")
    done
    row "$3" "$(printf '%s\n' "${rc[@]}" | median)" "rsync -a --delete" "$(printf '%s\n' "${rs[@]}" | median)"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

row() { # case robocopy peer1-name peer1 [peer2-name peer2]
    printf '%-44s %9ss' "$1" "$2"
    printf '   %-20s %8ss  %5sx' "$3" "$4" "$(ratio "$2" "$4")"
    if [ $# -ge 6 ]; then
        printf '   %-20s %8ss  %5sx' "$5" "$6" "$(ratio "$2" "$6")"
    fi
    printf '\n'
}

echo "robocopy: $ROBOCOPY; $RUNS runs each, median; ratio = robocopy / peer (below 1 is faster)"
echo

# (a) fresh copy of many small files
make_tree "$WORK/small" "$SMALL_FILES"
fresh_copy "$WORK/small" "(a) fresh copy, $SMALL_FILES small files"
rm -rf "$WORK/small"

# (b) fresh copy of a few big files
mkdir -p "$WORK/big"
for ((i = 0; i < BIG_FILES; i++)); do
    head -c "${BIG_MIB}M" /dev/urandom >"$WORK/big/file$i.bin"
done
fresh_copy "$WORK/big" "(b) fresh copy, $BIG_FILES files of $BIG_MIB MiB"
rm -rf "$WORK/big"

# (c) and (d): one synchronised pair per tool, so that each re-syncs its own copy
make_tree "$WORK/tree" "$MIRROR_FILES"
cp -a "$WORK/tree" "$WORK/rc"
cp -a "$WORK/tree" "$WORK/rs"
"$ROBOCOPY" "$WORK/tree" "$WORK/rc" /MIR /DCOPY:T /R:0 /W:0 >/dev/null || true
rsync -a --delete "$WORK/tree/" "$WORK/rs/"
resync "$WORK/tree" ":" "(c) /MIR over unchanged $MIRROR_FILES files"

# (d): before each run 1% of the destination files are made stale again (older, other content).
changed_list="$WORK/changed.txt"
(cd "$WORK/tree" && find . -type f | awk 'NR % 100 == 0') >"$changed_list"
stale() { # folder
    (cd "$1" && xargs -a "$changed_list" -d '\n' sh -c 'for f; do echo stale > "$f"; done; touch -d 2001-01-01 "$@"' sh)
}
resync "$WORK/tree" stale "(d) /MIR after 1% of $MIRROR_FILES files changed"
