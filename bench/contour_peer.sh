#!/usr/bin/env bash
# Our tracing of 20 contour levels of a 301 x 301 grid beside contourpy tracing the same grid and
# the same level values (written by our benchmark, timed inside Python by contour_peer.py).
# Prints both medians, wall-clock and processor time (steadier on a loaded machine), and the
# ratios ours / contourpy (below 2 is the aim). The two sides alternate ROUNDS times; each
# figure is the median of the rounds' medians of RUNS.
#   bench/contour_peer.sh BUILD_DIR      (a release build with -DNUMYX_BENCH=ON)
# contourpy is a benchmark peer only (Debian: python3-contourpy); nothing of ours uses it.
set -euo pipefail
BUILD=${1:-build/release}
BENCH="$BUILD/bench/contour_bench"
RUNS=${RUNS:-5}
ROUNDS=${ROUNDS:-3}
[ -x "$BENCH" ] || { echo "$BENCH is missing: build with -DNUMYX_BENCH=ON" >&2; exit 1; }
/usr/bin/python3 -c 'import contourpy' 2>/dev/null ||
  { echo "contourpy is missing (Debian: python3-contourpy)" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

"$BENCH" --peer_data="$WORK/grid.bin"
# "wall cpu" medians of a benchmark of ours, in ms.
ours() {
  QT_QPA_PLATFORM=offscreen "$BENCH" --benchmark_filter="^$1\$" --benchmark_repetitions="$RUNS" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '/_median"?,/ { printf "%.2f %.2f\n", $3, $4 }'
}
: >"$WORK/layer" && : >"$WORK/lines" && : >"$WORK/peer"
for _ in $(seq "$ROUNDS"); do
  ours BM_ContourTrace20Levels >>"$WORK/layer"
  ours BM_ContourTraceLinesOnly >>"$WORK/lines"
  /usr/bin/python3 "$(dirname "$0")/contour_peer.py" "$WORK/grid.bin" "$RUNS" >>"$WORK/peer"
done
# The median of column C of a file of rounds.
median() { sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf '%-34s %10s %10s %12s %12s %8s %8s\n' "tracing 20 levels of 301 x 301" "ours" "ours cpu" \
  "contourpy" "cpu" "ratio" "cpu"
pw=$(median "$WORK/peer" 1) pc=$(median "$WORK/peer" 2)
for what in "the layer (levels, lines, labels):layer" "the lines alone:lines"; do
  ow=$(median "$WORK/${what##*:}" 1) oc=$(median "$WORK/${what##*:}" 2)
  printf '%-34s %10s %10s %12s %12s %8s %8s\n' "${what%%:*}" "$ow" "$oc" "$pw" "$pc" \
    "$(ratio "$ow" "$pw")" "$(ratio "$oc" "$pc")"
done
echo "times in ms; ratio = ours / contourpy"
