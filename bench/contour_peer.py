#!/usr/bin/python3
"""Times contourpy tracing the grid and levels that contour_bench --peer_data=FILE wrote, inside
this process (Python's start-up and the reading of the file are not timed): a generator made for
the grid and the lines of every level taken from it. Prints the medians of RUNS in ms: wall-clock
(perf_counter) and the process's own processor time (process_time), which a loaded machine
disturbs less.
   contour_peer.py FILE [RUNS]"""
import statistics
import sys
import time

import numpy as np
from contourpy import contour_generator


def main() -> int:
    path = sys.argv[1]
    runs = max(5, int(sys.argv[2]) if len(sys.argv) > 2 else 5)
    with open(path, "rb") as f:
        n, count = (int(v) for v in np.fromfile(f, dtype="<i4", count=2))
        x = np.fromfile(f, dtype="<f8", count=n)
        y = np.fromfile(f, dtype="<f8", count=n)
        z = np.fromfile(f, dtype="<f8", count=n * n).reshape(n, n)  # z[row][column]
        levels = np.fromfile(f, dtype="<f8", count=count)
    if len(levels) != count or z.size != n * n:
        print("the peer data is cut short", file=sys.stderr)
        return 1

    def trace():
        gen = contour_generator(x, y, z)
        return [gen.lines(level) for level in levels]

    trace()  # once before timing, as the benchmark's own warm-up
    wall, cpu = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        trace()
        wall.append((time.perf_counter() - start) * 1000)
        cpu.append((time.process_time() - start_cpu) * 1000)
    print(f"{statistics.median(wall):.2f} {statistics.median(cpu):.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
