#!/usr/bin/env bash
# The surface chart beside gnuplot drawing the same surface: a 301 x 301 grid of
# sin(x) cos(y) exp(-(x^2 + y^2) / 20) over [-5, 5]^2 as hidden, colour-filled cells into
# 1000 x 700 (pm3d, pngcairo). Ours is the whole picture from the formula (fill and paint), the
# median of several runs; gnuplot's the best of several runs, with and without its start-up.
#   bench/surface_vs_gnuplot.sh BUILD_DIR      (a release build with -DNUMYX_BENCH=ON)
set -euo pipefail
BUILD=${1:-build/release}
BENCH="$BUILD/bench/chart_bench"
command -v gnuplot >/dev/null || { echo "gnuplot is missing (Debian: gnuplot-nox)" >&2; exit 1; }
[ -x "$BENCH" ] || { echo "$BENCH is missing: build with -DNUMYX_BENCH=ON" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
RUNS=5

cat >"$WORK/surface.gp" <<GP
set terminal pngcairo size 1000,700
set output '$WORK/surface.png'
set isosamples 301,301
set samples 301,301
set pm3d
set hidden3d
splot [-5:5][-5:5] sin(x)*cos(y)*exp(-(x**2+y**2)/20) with pm3d title 'f(x,y)'
GP
echo 'exit' >"$WORK/empty.gp"

# Milliseconds of one gnuplot run, the best of RUNS.
best_ms() {
  local best=
  for _ in $(seq $RUNS); do
    local t0 t1 ms
    t0=$(date +%s%N)
    gnuplot "$1"
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

declare -A OURS
while read -r name ms; do OURS[$name]=$ms; done < <(
  QT_QPA_PLATFORM=offscreen "$BENCH" --benchmark_repetitions=$RUNS \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '/_median"?,/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); printf "%s %.1f\n", $1, $3 }')

START=$(best_ms "$WORK/empty.gp")
TOTAL=$(best_ms "$WORK/surface.gp")
NET=$(( TOTAL - START ))
ratio() { awk -v g="$1" -v o="$2" 'BEGIN { if (o > 0) printf "%.1f", g / o; else print "n/a" }'; }

printf '%-22s %10s\n' figure ms
for bm in BM_SurfaceFillAndPaint BM_SurfacePaint BM_SurfacePaintNoOutline BM_SurfaceRotationStep; do
  printf '%-22s %10s\n' "${bm#BM_}" "${OURS[$bm]:-nan}"
done
printf '%-22s %10s\n' "gnuplot" "$TOTAL" "gnuplot-start" "$NET"
OURS_ALL=${OURS[BM_SurfaceFillAndPaint]:-0}
echo "ratio gnuplot / ours (formula to picture): $(ratio "$TOTAL" "$OURS_ALL")," \
  "without gnuplot's start-up (${START} ms): $(ratio "$NET" "$OURS_ALL")"
