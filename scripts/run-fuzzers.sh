#!/usr/bin/env bash
# Runs every fuzz target of the "fuzz" build for a bounded time each.
#   scripts/run-fuzzers.sh [SECONDS] [TARGET...]
# New inputs gather in build-fuzz/corpus/<target>, seeded from fuzz/corpus and fuzz/crashes.
# An input that breaks a target lands in build-fuzz/artifacts/<target>/: once the fault is
# fixed, copy it (minimised with -minimize_crash=1) into fuzz/crashes/<target>/, where the
# test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(walk_reader sailorpoints_reader text_to_number round_trip render
             walk_reader_differential sailorpoints_reader_differential)
fi

status=0
for target in "${targets[@]}"; do
    seeds=("fuzz/corpus/$target" "fuzz/crashes/$target")
    if [ "$target" = round_trip ] || [ "$target" = render ]; then
        seeds+=(fuzz/corpus/walk_reader fuzz/corpus/sailorpoints_reader)
    fi
    # A differential target starts from the corpus of the reader it compares.
    if [ "${target%_differential}" != "$target" ]; then
        seeds+=("fuzz/corpus/${target%_differential}" "fuzz/crashes/${target%_differential}")
    fi
    existing=()
    for s in "${seeds[@]}"; do [ -d "$s" ] && existing+=("$s"); done
    mkdir -p "build-fuzz/corpus/$target" "build-fuzz/artifacts/$target"
    echo "== $target: $seconds s"
    # Inputs up to 64 KiB, so that long lines and long numbers are tried; 10 s for any single
    # input is far beyond linear time.
    if ! "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -dict=fuzz/walkconv.dict -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$target/" \
        "build-fuzz/corpus/$target" "${existing[@]}"; then
        echo "== $target found a fault: see build-fuzz/artifacts/$target/"
        status=1
    fi
done
exit $status
