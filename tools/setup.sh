#!/usr/bin/env bash
# One entry point for a fresh Debian machine (run as root):
#   tools/setup.sh run    install what is missing, build the release configuration, start numyx
#   tools/setup.sh test   install what is missing, build the test configuration, run every test
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

install_missing() {
  local missing=()
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done < tools/packages.txt
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
}

jobs=$(nproc 2>/dev/null || echo 4)
case "${1:-}" in
  run)
    install_missing
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMYX_TESTS=OFF
    cmake --build build/release -j "$jobs" --target numyx
    exec build/release/app/numyx
    ;;
  test)
    install_missing
    cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUMYX_SANITIZE=ON -DNUMYX_WERROR=ON -DNUMYX_TESTS=ON -DNUMYX_BENCH=ON
    cmake --build build/test -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 900
    ;;
  *)
    echo "usage: tools/setup.sh run|test" >&2
    exit 2
    ;;
esac
