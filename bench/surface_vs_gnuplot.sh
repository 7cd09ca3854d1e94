#!/usr/bin/env bash
# The surface chart beside gnuplot drawing the same surface: a 301 x 301 grid of
# sin(x) cos(y) exp(-(x^2 + y^2) / 20) over [-5, 5]^2 as hidden, colour-filled cells into
# 1000 x 700 (pm3d, pngcairo). Ours is the whole picture from the formula (fill and paint), the
# median of several runs; gnuplot's the best of several runs, with and without its start-up.
#   bench/surface_vs_gnuplot.sh BUILD_DIR      (a release build with -DNUMYX_BENCH=ON)
set -euo pipefail
BUILD=${1:-build/release}
BENCH="$BUILD/bench/chart_bench"
# shellcheck source=bench/gnuplot_peer.sh
source "$(dirname "$0")/gnuplot_peer.sh"

cat >"$WORK/surface.gp" <<GP
set terminal pngcairo size 1000,700
set output '$WORK/surface.png'
set isosamples 301,301
set samples 301,301
set pm3d
set hidden3d
splot [-5:5][-5:5] sin(x)*cos(y)*exp(-(x**2+y**2)/20) with pm3d title 'f(x,y)'
GP

START=$(best_ms "$WORK/empty.gp")
TOTAL=$(best_ms "$WORK/surface.gp")
NET=$(( TOTAL - START ))

printf '%-26s %10s\n' figure ms
for bm in BM_SurfaceGridFillAndPaint BM_SurfaceFillAndPaint BM_SurfacePaint BM_SurfacePaintNoOutline BM_SurfaceRotationStep; do
  printf '%-26s %10s\n' "${bm#BM_}" "${OURS[$bm]:-nan}"
done
printf '%-26s %10s\n' "gnuplot" "$TOTAL" "gnuplot-start" "$NET"
# The window's way: the grid read in place.
OURS_ALL=${OURS[BM_SurfaceGridFillAndPaint]:-0}
echo "ratio gnuplot / ours (formula to picture): $(ratio "$TOTAL" "$OURS_ALL")," \
  "without gnuplot's start-up (${START} ms): $(ratio "$NET" "$OURS_ALL")"
