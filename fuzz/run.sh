#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ and runs each
# for the given number of executions (1,000,000 unless told otherwise),
# starting from its seed corpus in fuzz/corpus/; what they find goes to
# build-fuzz/corpus/, a fault's input to the working folder.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang++ > /dev/null || { echo "fuzz/run.sh needs clang (Debian: apt-get install clang)" >&2; exit 1; }
runs=${1:-1000000}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz
for harness in records language lines settings bests; do
  mkdir -p "build-fuzz/corpus/$harness"
  "build-fuzz/fuzz/fuzz_$harness" -runs="$runs" -max_len=4096 -print_final_stats=1 \
    "build-fuzz/corpus/$harness" "fuzz/corpus/$harness"
done
