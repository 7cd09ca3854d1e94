#!/usr/bin/env bash
# Builds one engine fuzzer with clang and libFuzzer (not part of CI) and optionally runs it with a
# time limit per input, so that slow inputs are findings too.
#   fuzz/build_target.sh NAME                     build fuzz/out/NAME from fuzz/NAME.cpp
#   fuzz/build_target.sh NAME run [sec] [jobs]    build, then fuzz for sec seconds (default 600)
#                                                 with jobs forked workers (default 1) on
#                                                 fuzz/out/corpus_NAME, seeded from fuzz/seeds and
#                                                 fuzz/seeds_NAME when they exist
# NAME is fuzz_evaluate or fuzz_complex. Needs clang and the compiler-rt fuzzer runtime (Debian:
# clang, libclang-rt-dev).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
name="${1:?usage: fuzz/build_target.sh NAME [run [sec] [jobs]]}"
mkdir -p fuzz/out "fuzz/out/corpus_$name"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. "fuzz/$name.cpp" $(ls engine/*.cpp) -o "fuzz/out/$name"
if [[ "${2:-}" == run ]]; then
  corpus="$here/fuzz/out/corpus_$name"
  for seeds in fuzz/seeds "fuzz/seeds_${name#fuzz_}"; do
    [[ -d "$seeds" ]] && cp -n "$seeds"/* "$corpus/" 2>/dev/null || true
  done
  # Fork mode goes on after a finding (each one is saved under fuzz/out/NAME-*); the workers'
  # logs go to a directory of their own so that two targets can run side by side.
  # The real-mode target reaches the procedures and user functions sooner with their words.
  # It also reads every input five times (with and without replays), so its inputs get longer.
  dict=()
  timeout=1
  [[ "$name" == fuzz_evaluate ]] && dict=(-dict="$here/fuzz/procedures.dict") && timeout=6
  mkdir -p "fuzz/out/run_$name"
  cd "fuzz/out/run_$name"
  exec "$here/fuzz/out/$name" -max_total_time="${3:-600}" -max_len=512 -timeout="$timeout" "${dict[@]}" \
    -rss_limit_mb=2048 -fork="${4:-1}" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -artifact_prefix="$here/fuzz/out/$name-" "$corpus"
fi
