#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (.clang-format at the root).
set -euo pipefail
cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}"
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
bad=0
for f in "${files[@]}"; do
  [[ -f "$f" ]] || continue
  if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (run clang-format -i $f)"
    bad=1
  fi
done
echo "format check: ${#files[@]} files, $([[ $bad == 0 ]] && echo clean || echo faults)"
exit $bad
