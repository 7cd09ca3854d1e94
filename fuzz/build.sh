#!/usr/bin/env bash
# Builds the Evaluate fuzzer with clang and libFuzzer (not part of CI).
#   fuzz/build.sh            build fuzz/out/fuzz_evaluate
#   fuzz/build.sh run [sec]  build, then fuzz for sec seconds (default 600) on fuzz/corpus
# Needs clang and the compiler-rt fuzzer runtime (Debian: clang, libclang-rt-dev).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
mkdir -p fuzz/out fuzz/corpus
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. fuzz/fuzz_evaluate.cpp $(ls engine/*.cpp) -o fuzz/out/fuzz_evaluate
if [[ "${1:-}" == run ]]; then
  cp -n fuzz/seeds/* fuzz/corpus/ 2>/dev/null || true
  exec fuzz/out/fuzz_evaluate -max_total_time="${2:-600}" -max_len=512 -timeout=10 \
    -rss_limit_mb=2048 -dict=fuzz/procedures.dict -artifact_prefix=fuzz/out/ fuzz/corpus
fi
