#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer it may not use.

The root include path lets every target see every header, so the compiler does not catch an
include that runs upwards or across the two drawing libraries; this check does."""
import pathlib
import re
import sys

# Each layer and the layers it may include, itself among them. plot/ and chart/ are siblings:
# neither may see the other, and both stand on platform/ alone.
ALLOWED = {
    "engine": {"engine"},
    "platform": {"platform"},
    "widgets": {"widgets", "platform"},
    "tabulate": {"tabulate", "engine", "platform"},
    "plot/core": {"plot/core", "platform"},
    "plot/layers": {"plot/layers", "plot/core", "platform"},
    "plot/ui": {"plot/ui", "plot/layers", "plot/core", "platform"},
    "chart/engine": {"chart/engine", "platform"},
    "chart/editors": {"chart/editors", "chart/engine", "platform"},
    # The program's rooms. common is what several rooms share; the calculator window opens the
    # matrix, converter and plot windows, none of which may reach back into it; start-up makes them all.
    "app": set(),  # nothing lives loose in app/, only in its rooms
    "app/common": {"app/common", "widgets", "platform", "engine"},
    "app/converter": {"app/converter", "app/common", "widgets", "platform", "engine"},
    # The matrix window prints with the plot library's print margins.
    "app/matrix": {"app/matrix", "app/common", "widgets", "plot/ui", "platform", "engine"},
    "app/graphics": {"app/graphics", "app/common", "tabulate", "widgets", "plot/ui", "plot/layers",
                     "plot/core", "chart/editors", "chart/engine", "platform", "engine"},
    "app/calc": {"app/calc", "app/graphics", "tabulate", "app/matrix", "app/converter", "app/common",
                 "widgets", "plot/ui", "plot/layers", "plot/core", "chart/editors",
                 "chart/engine", "platform", "engine"},
    "app/startup": {"app/startup", "app/calc", "tabulate", "app/graphics", "app/matrix", "app/converter",
                    "app/common", "widgets", "plot/ui", "plot/layers", "plot/core",
                    "chart/editors", "chart/engine", "platform", "engine"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(path: str):
    # The longest layer name that is a folder prefix of the path.
    best = None
    for name in ALLOWED:
        if path == name or path.startswith(name + "/"):
            if best is None or len(name) > len(best):
                best = name
    return best


def main(root: pathlib.Path) -> int:
    faults = []
    for file in sorted(root.rglob("*")):
        if file.suffix not in (".h", ".cpp") or not file.is_file():
            continue
        rel = file.relative_to(root).as_posix()
        own = layer_of(rel)
        if own is None:  # tests, benchmarks, fuzzers and tools may include anything
            continue
        for number, line in enumerate(file.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target = layer_of(m.group(1))
            if target is None:
                faults.append(f"{rel}:{number}: includes \"{m.group(1)}\", which belongs to no layer")
            elif target not in ALLOWED[own]:
                faults.append(f"{rel}:{number}: {own}/ may not include {m.group(1)} ({target}/)")
    for fault in faults:
        print(fault)
    print(f"layer check: {len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()))
