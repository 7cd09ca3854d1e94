#!/usr/bin/env bash
# The graphics page's three pictures beside gnuplot drawing the same ones with its pngcairo
# terminal at 1000 x 700: a curve of 16,001 points, 20 contour levels and a colour-shaded map of
# a 301 x 301 grid. Prints both times per picture and their ratio (gnuplot / ours).
#   bench/plot_pictures_gnuplot.sh BUILD_DIR      (a release build with -DNUMYX_BENCH=ON)
set -euo pipefail
BUILD=${1:-build/release}
BENCH="$BUILD/bench/plot_pictures_bench"
# shellcheck source=bench/gnuplot_peer.sh
source "$(dirname "$0")/gnuplot_peer.sh"

F='sin(x)*cos(y)*exp(-(x**2+y**2)/20)'
cat >"$WORK/curve.gp" <<GP
set terminal pngcairo size 1000,700
set output '$WORK/curve.png'
set samples 16001
plot [-5:5] sin(x)*exp(-x/5)+x**2 title 'f(x)'
GP
cat >"$WORK/contour.gp" <<GP
set terminal pngcairo size 1000,700
set output '$WORK/contour.png'
set isosamples 301,301
set samples 301,301
set contour base
set cntrparam levels 20
unset surface
set view map
splot [-5:5][-5:5] $F title 'f(x,y)'
GP
cat >"$WORK/shade.gp" <<GP
set terminal pngcairo size 1000,700
set output '$WORK/shade.png'
set isosamples 301,301
set samples 301,301
set pm3d map
splot [-5:5][-5:5] $F with pm3d title 'f(x,y)'
GP

START=$(best_ms "$WORK/empty.gp")

printf '%-20s %12s %14s %14s %8s\n' picture "ours (ms)" "gnuplot (ms)" "gnuplot-start" ratio
for pic in curve:BM_CurvePicture contour:BM_ContourPicture shade:BM_ShadePicture; do
  gp=${pic%%:*} bm=${pic##*:}
  total=$(best_ms "$WORK/$gp.gp")
  net=$(( total - START ))
  ours=${OURS[$bm]:-nan}
  ratio=$(ratio "$net" "$ours")
  printf '%-20s %12s %14s %14s %8s\n' "$gp" "$ours" "$total" "$net" "$ratio"
done
echo "gnuplot start-up alone: ${START} ms (subtracted in the gnuplot-start column; ratio = that / ours)"
