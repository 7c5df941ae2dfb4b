#!/usr/bin/env bash
# Whole-process time of walkconv on one max-size file (1000 points, 1000 links) next to cp of
# the same file, in both directions, with hyperfine:
#   walkconv to-ini MAX_walk.c -o out1.ini   versus   cp MAX_walk.c copy_walk.c
#   walkconv to-walk MAX1.ini -o out_walk.c  versus   cp MAX1.ini copy1.ini
# The two commands of a pair are timed in the same round, their order swapped from round to
# round, so that a change in the machine's load between rounds weighs on both alike. Prints the
# median over the rounds of each command's median time and of the ratio walkconv / cp.
# Usage: bench/versus_cp.sh [path/to/walkconv]   (ROUNDS=10, RUNS=30 by default)
# Needs hyperfine (scripts/install-deps.sh bench).
set -euo pipefail

walkconv=$(realpath "${1:-build/src/cli/walkconv}")
rounds=${ROUNDS:-10}
runs=${RUNS:-30}
if ! command -v hyperfine > /dev/null; then
    echo "versus_cp.sh: needs hyperfine (scripts/install-deps.sh bench)" >&2
    exit 1
fi
source "$(dirname "$0")/max_size_files.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A max-size sailorpoints file: 1000 points with six-decimal coordinates, 1000 links; and the
# walk source that walkconv writes from it.
write_max_size_sailorpoints MAX1.ini
"$walkconv" to-walk -q MAX1.ini -o MAX_walk.c
echo "inputs: MAX_walk.c $(wc -c < MAX_walk.c) bytes, MAX1.ini $(wc -c < MAX1.ini) bytes;" \
    "$rounds rounds of $runs runs; $(nproc) cores"

# The median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# compare NAME WALKCONV_COMMAND CP_COMMAND
compare() {
    local name=$1 tool=$2 copy=$3 round first second
    : > tool.times
    : > copy.times
    : > ratios
    for ((round = 1; round <= rounds; round++)); do
        if ((round % 2)); then first=$tool second=$copy; else first=$copy second=$tool; fi
        if ! hyperfine -N --style none --warmup 5 --runs "$runs" --export-csv round.csv \
            "$first" "$second" > hyperfine.log 2>&1; then
            cat hyperfine.log >&2
            exit 1
        fi
        # round.csv: command,mean,stddev,median,user,system,min,max
        local toolTime copyTime
        toolTime=$(awk -F, -v c="$tool" '$1 == c { print $4 }' round.csv)
        copyTime=$(awk -F, -v c="$copy" '$1 == c { print $4 }' round.csv)
        echo "$toolTime" >> tool.times
        echo "$copyTime" >> copy.times
        awk -v t="$toolTime" -v c="$copyTime" 'BEGIN { print t / c }' >> ratios
    done
    printf '%-8s walkconv %.3f ms   cp %.3f ms   ratio %.2f (rounds: %s)\n' "$name" \
        "$(median < tool.times | awk '{ print $1 * 1000 }')" \
        "$(median < copy.times | awk '{ print $1 * 1000 }')" \
        "$(median < ratios)" "$(sort -g ratios | tr '\n' ' ')"
}

compare to-ini "$walkconv to-ini -q MAX_walk.c -o out1.ini" "cp MAX_walk.c copy_walk.c"
compare to-walk "$walkconv to-walk -q MAX1.ini -o out_walk.c" "cp MAX1.ini copy1.ini"
compare start "$walkconv --version" "cp MAX1.ini copy1.ini"
