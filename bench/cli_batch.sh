#!/usr/bin/env bash
# Times walkconv on max-size inputs (1000 points, 1000 links):
#   - one call converting 1000 walk sources to sailorpoints files, and 1000 back;
#   - one file, whole process, next to cp of the same file and to walkconv --version (the cost
#     of starting the process), with hyperfine when installed, otherwise a loop of RUNS calls.
# Usage: bench/cli_batch.sh [path/to/walkconv]   (default: build/src/cli/walkconv)
set -euo pipefail

walkconv=$(realpath "${1:-build/src/cli/walkconv}")
files=${FILES:-1000}
runs=${RUNS:-200}
source "$(dirname "$0")/max_size_files.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A max-size sailorpoints file: 1000 points with six-decimal coordinates, 1000 links.
write_max_size_sailorpoints big1.ini
"$walkconv" to-walk -q big1.ini            # big_walk.c, as the tool writes it
mkdir walk ini back
for i in $(seq -w 1 "$files"); do
    cp big_walk.c "walk/m${i}_walk.c"
done
echo "input: $(wc -c < big_walk.c) bytes per walk source, $files files, $(nproc) cores"

TIMEFORMAT='%R s elapsed, %U s user, %S s system'
echo "to-ini, $files files in one call:"
time "$walkconv" to-ini -q -d ini walk/*_walk.c
echo "to-walk, $files files in one call:"
time "$walkconv" to-walk -q -d back ini/*1.ini

echo "one file, whole process:"
if command -v hyperfine > /dev/null; then
    hyperfine -N --warmup 20 --runs "$runs" \
        "$walkconv --version" \
        "$walkconv to-ini -q big_walk.c -o one1.ini" \
        "$walkconv to-walk -q big1.ini -o one_walk.c" \
        "cp big_walk.c copy_walk.c"
else
    for command in "$walkconv --version" \
                   "$walkconv to-ini -q big_walk.c -o one1.ini" \
                   "$walkconv to-walk -q big1.ini -o one_walk.c" \
                   "cp big_walk.c copy_walk.c"; do
        echo "$command ($runs runs):"
        time (for ((r = 0; r < runs; r++)); do $command; done)
    done
fi
