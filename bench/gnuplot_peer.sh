# Sourced by the scripts that time our pictures beside gnuplot's. Before sourcing, BENCH names our
# benchmark program. Gives WORK (a scratch folder, removed on exit), RUNS, WORK/empty.gp (a
# gnuplot run that draws nothing, for its start-up), best_ms FILE (gnuplot's best time of RUNS in
# ms), OURS (our benchmarks' medians in ms, by name) and ratio G O (G / O with one decimal).
command -v gnuplot >/dev/null || { echo "gnuplot is missing (Debian: gnuplot-nox)" >&2; exit 1; }
[ -x "$BENCH" ] || { echo "$BENCH is missing: build with -DNUMYX_BENCH=ON" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
RUNS=5
echo 'exit' >"$WORK/empty.gp"

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

ratio() { awk -v g="$1" -v o="$2" 'BEGIN { if (o > 0) printf "%.1f", g / o; else print "n/a" }'; }
