#!/usr/bin/env bash
# Line and branch coverage of the core by the fuzz corpus: every fuzz target is built with
# clang's source coverage and run over its inputs (the seed corpus, the saved crash inputs and
# what `make fuzz` gathered in build-fuzz/corpus); prints the report per source file.
#   scripts/fuzz-coverage.sh
set -euo pipefail
cd "$(dirname "$0")/.."

out=build-fuzz/coverage
mkdir -p "$out"
rm -f "$out"/*.profraw
core_sources=(src/core/*.cpp src/core/*/*.cpp)
binaries=()
for target in walk_reader sailorpoints_reader text_to_number round_trip render; do
    binary="$out/${target}_replay"
    clang++-14 -std=c++20 -O1 -fprofile-instr-generate -fcoverage-mapping -Isrc \
        "${core_sources[@]}" "fuzz/${target}_fuzz.cpp" fuzz/replay_main.cpp -o "$binary"
    inputs=("fuzz/corpus/$target" "fuzz/crashes/$target" "build-fuzz/corpus/$target")
    if [ "$target" = round_trip ] || [ "$target" = render ]; then
        inputs+=(fuzz/corpus/walk_reader fuzz/corpus/sailorpoints_reader)
    fi
    LLVM_PROFILE_FILE="$out/$target.profraw" "$binary" "${inputs[@]}" > /dev/null
    binaries+=("$binary")
done
llvm-profdata-14 merge -sparse "$out"/*.profraw -o "$out/all.profdata"
objects=()
for b in "${binaries[@]:1}"; do objects+=(-object "$b"); done
llvm-cov-14 report "${binaries[0]}" "${objects[@]}" -instr-profile="$out/all.profdata" \
    "${core_sources[@]}"
