#!/usr/bin/env bash
# The memory of the contour and the colour-shade picture at the largest grid (16001 x 16001
# points), one process per picture so that each peak is its own: bytes per grid point at peak
# (getrusage) and at rest (resident after painting), and the time of each stage. Needs about
# 2.5 GB free; the contour picture's tracing takes minutes.
#   bench/big_grid_memory.sh BUILD_DIR [STEPS]      (a release build with -DNUMYX_BENCH=ON)
# KINDS overrides the pictures made: "shade contour" by default (the engine tabulates); the
# -direct kinds fill the grid without the engine, "tabulate" tabulates alone.
set -euo pipefail
BUILD=${1:-build/release}
STEPS=${2:-16000}
PROGRAM="$BUILD/bench/big_grid_memory"
[ -x "$PROGRAM" ] || { echo "$PROGRAM is missing: build with -DNUMYX_BENCH=ON" >&2; exit 1; }
for kind in ${KINDS:-shade contour}; do
  QT_QPA_PLATFORM=offscreen "$PROGRAM" "$kind" "$STEPS" 2>/dev/null
  echo
done
