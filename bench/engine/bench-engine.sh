#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the bundled robocopy against cp -a and rsync -a on trees built in a temporary folder, on a
# tmpfs and on the disk, and prints the median of several runs with their spread and the ratio, and
# the engine's peak memory. It prints figures only; it never fails a build.
#
#   bench-engine.sh [path/to/robocopy]
#
# Sizes can be turned down through the environment: SMALL_FILES, BIG_FILES, BIG_MIB, MIRROR_FILES, RUNS,
# FLAT_FILES and TREE_FILES (0 skips a memory case); PLACES names where to run ("folder:caption ...").
set -euo pipefail

ROBOCOPY=${1:-$(dirname "$0")/../../build/default/bin/robocopy}
SMALL_FILES=${SMALL_FILES:-20000}
BIG_FILES=${BIG_FILES:-3}
BIG_MIB=${BIG_MIB:-256}
MIRROR_FILES=${MIRROR_FILES:-100000}
RUNS=${RUNS:-5}
FLAT_FILES=${FLAT_FILES:-200000}
TREE_FILES=${TREE_FILES:-1000000}

for tool in "$ROBOCOPY" cp rsync perl; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# Each place as folder:caption; the first is also where memory is measured.
PLACES=${PLACES:-/dev/shm:tmpfs ${TMPDIR:-/var/tmp}:disk}
WORK=
trap 'if [ -n "$WORK" ]; then rm -rf "$WORK"; fi' EXIT

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

# The median of the figures on standard input, and their spread as min-max.
median() { sort -g | awk '{ a[NR] = $1 } END { printf "%.3f", a[int((NR + 1) / 2)] }'; }
spread() { sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.2f-%.2f", lo, hi }'; }

# Fresh copies of $1 by each tool, RUNS rounds. Every run writes into a folder of its own; a round's
# folders are deleted after the round and the deletion is synced and given a moment, so that no run
# pays for the deferred work of deleting another's output. Keeping every output to the end instead
# filled a tmpfs with RUNS x 4 copies of the big files and made the later runs pay for reclaiming
# memory (spreads of 0.7-7.4 s for one case). The order of the tools rotates from round to round.
fresh_copy() { # source folder, caption
    local tools=(robocopy robocopy-mt cp rsync) round i tool out
    declare -A times=()
    for ((round = 0; round < RUNS; round++)); do
        for ((i = 0; i < ${#tools[@]}; i++)); do
            tool=${tools[(round + i) % ${#tools[@]}]}
            out="$WORK/out.$round.$tool"
            sync
            case $tool in
            robocopy) times[$tool]+="$(time_of "$ROBOCOPY" "$1" "$out" /E /COPYALL /DCOPY:T /R:0 /W:0) " ;;
            robocopy-mt) times[$tool]+="$(time_of "$ROBOCOPY" "$1" "$out" /E /COPYALL /DCOPY:T /R:0 /W:0 /MT:8) " ;;
            cp) times[$tool]+="$(time_of cp -a "$1" "$out") " ;;
            rsync) times[$tool]+="$(time_of rsync -a "$1/" "$out/") " ;;
            esac
        done
        rm -rf "$WORK"/out.*
        sync
        sleep 1
    done
    figures() { printf '%s\n' ${times[$1]} | "$2"; }
    row "$2" "$(figures robocopy median)" "$(figures robocopy spread)" \
        "cp -a" "$(figures cp median)" "$(figures cp spread)" \
        "rsync -a" "$(figures rsync median)" "$(figures rsync spread)"
    row "$2, /MT:8" "$(figures robocopy-mt median)" "$(figures robocopy-mt spread)" \
        "cp -a" "$(figures cp median)" "$(figures cp spread)"
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
    row "$3" "$(printf '%s\n' "${rc[@]}" | median)" "$(printf '%s\n' "${rc[@]}" | spread)" \
        "rsync -a --delete" "$(printf '%s\n' "${rs[@]}" | median)" "$(printf '%s\n' "${rs[@]}" | spread)"
}

# Peak resident memory in MiB of one robocopy run.
peak_of() {
    /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.1f", $1 / 1024 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

row() { # case robocopy spread peer1-name peer1 spread1 [peer2-name peer2 spread2]
    printf '%-46s %7ss (%s)' "$1" "$2" "$3"
    printf '   %-18s %7ss (%s) %5sx' "$4" "$5" "$6" "$(ratio "$2" "$5")"
    if [ $# -ge 9 ]; then
        printf '   %-9s %7ss (%s) %5sx' "$7" "$8" "$9" "$(ratio "$2" "$8")"
    fi
    printf '\n'
}

# Empty files, $3 per folder: only the number of entries counts for memory.
make_empty() { # folder count per-folder
    perl -e '
        my ($root, $count, $per) = @ARGV;
        for my $i (0 .. $count - 1) {
            my $dir = sprintf("%s/g%d/h%d", $root, int($i / ($per * 100)), int($i / $per) % 100);
            unless (-d $dir) { system("mkdir", "-p", $dir) == 0 or die }
            open(my $fh, ">", "$dir/e$i") or die;
            close $fh;
        }' "$1" "$2" "$3"
}

# The figures of one place: a tmpfs shows what the engine itself costs, a disk what a user waits for.
bench_in() { # base folder, caption
    WORK=$(mktemp -d "$1/talvex-bench.XXXXXX")
    echo "== $2 ($1)"

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
    rm -rf "$WORK"
}

# Peak memory of a /MIR over an unchanged tree, both sides listed; per entry for a flat folder.
bench_memory() { # base folder
    WORK=$(mktemp -d "$1/talvex-bench.XXXXXX")
    if ((FLAT_FILES > 0)); then
        make_empty "$WORK/flat" "$FLAT_FILES" "$FLAT_FILES"
        cp -a "$WORK/flat" "$WORK/flat-copy"
        local empty peak
        mkdir "$WORK/empty" "$WORK/empty-copy"
        empty=$(peak_of "$ROBOCOPY" "$WORK/empty" "$WORK/empty-copy" /MIR /R:0 /W:0 /NFL /NDL)
        peak=$(peak_of "$ROBOCOPY" "$WORK/flat" "$WORK/flat-copy" /MIR /R:0 /W:0 /NFL /NDL)
        awk -v e="$empty" -v p="$peak" -v n="$FLAT_FILES" 'BEGIN {
            printf "(e) peak memory, flat folder of %d entries: %.1f MiB (%.1f MiB at rest), %.0f bytes per entry per side\n",
                n, p, e, (p - e) * 1048576 / n / 2 }'
        rm -rf "$WORK/flat" "$WORK/flat-copy"
    fi
    if ((TREE_FILES > 0)); then
        make_empty "$WORK/tree" "$TREE_FILES" 1000
        cp -a "$WORK/tree" "$WORK/tree-copy"
        echo "(f) peak memory, tree of $TREE_FILES entries: $(peak_of "$ROBOCOPY" "$WORK/tree" "$WORK/tree-copy" /MIR /R:0 /W:0 /NFL /NDL) MiB"
    fi
    rm -rf "$WORK"
}

echo "robocopy: $ROBOCOPY; $RUNS runs each, median (min-max); ratio = robocopy / peer (below 1 is faster)"
echo
for place in $PLACES; do
    bench_in "${place%%:*}" "${place#*:}"
    echo
done
bench_memory "${PLACES%%:*}"
