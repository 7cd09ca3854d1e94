#!/usr/bin/env python3
"""Reads a native chart file byte by byte and prints what it holds as JSON.

The file: a 16-bit signature 0x3060 and version 0x0120, the chart component in the binary
component form ("TPF0", class name, name, properties up to a 0 byte, owned components up to a
0 byte), then one series block per owned series: a flags byte, a signed 32-bit count and count
point records. Every byte must be accounted for; anything else exits with status 1 and a reason.

Usage: check_native_chart.py FILE [--extra CLASS=N ...]
  --extra  the number of value lists past X and Y of a series class (known ones are built in)
"""
import json
import struct
import sys

EXTRA_LISTS = {"TGanttSeries": 2, "TArrowSeries": 2, "TBubbleSeries": 1,
               "TSurfaceSeries": 1, "TContourSeries": 1}


class Bad(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def take(self, n):
        if n < 0 or self.pos + n > len(self.data):
            raise Bad("the file ends at %d, %d bytes wanted" % (self.pos, n))
        b = self.data[self.pos:self.pos + n]
        self.pos += n
        return b

    def unpack(self, fmt):
        return struct.unpack("<" + fmt, self.take(struct.calcsize("<" + fmt)))[0]

    def peek(self):
        if self.pos >= len(self.data):
            raise Bad("the file ends inside a list")
        return self.data[self.pos]

    def short(self):
        return self.take(self.unpack("B")).decode("cp1252", errors="replace")

    def extended(self):
        mant, se = struct.unpack("<QH", self.take(10))
        sign = -1.0 if se & 0x8000 else 1.0
        exp = se & 0x7FFF
        if exp == 0x7FFF:
            return sign * float("inf") if (mant << 1) & 0xFFFFFFFFFFFFFFFF == 0 else float("nan")
        if exp == 0 and mant == 0:
            return sign * 0.0
        return sign * mant * 2.0 ** ((exp or 1) - 16383 - 63)

    def value(self):
        t = self.unpack("B")
        if t == 0:
            return None
        if t == 1:
            items = []
            while self.peek() != 0:
                items.append(self.value())
            self.take(1)
            return {"list": items}
        if t in (2, 3, 4, 19):
            v = self.unpack({2: "b", 3: "h", 4: "i", 19: "q"}[t])
            # The smallest type that holds the value.
            small = 2 if -128 <= v <= 127 else 3 if -32768 <= v <= 32767 else \
                4 if -2**31 <= v < 2**31 else 19
            if small != t:
                raise Bad("integer %d written with type %d, not %d" % (v, t, small))
            return v
        if t == 5:
            return {"float": self.extended()}
        if t == 6:
            return self.short()
        if t == 7:
            return {"ident": self.short()}
        if t in (8, 9):
            return t == 9
        if t == 10:
            return {"binary": self.take(self.unpack("I")).hex()}
        if t == 11:
            names = []
            while self.peek() != 0:
                names.append(self.short())
            self.take(1)
            return {"set": names}
        if t == 12:
            return self.take(self.unpack("I")).decode("cp1252", errors="replace")
        if t == 13:
            return {"nil": True}
        if t == 14:
            items = []
            while self.peek() != 0:
                if self.unpack("B") != 1:
                    raise Bad("a collection item is not a list")
                items.append(self.properties())
            self.take(1)
            return {"collection": items}
        if t == 18:
            n = self.unpack("I")
            return self.take(2 * n).decode("utf-16-le")
        raise Bad("unknown value type %d at %d" % (t, self.pos - 1))

    def properties(self):
        props = []
        while self.peek() != 0:
            name = self.short()
            if not name:
                raise Bad("a property without a name")
            props.append([name, self.value()])
        self.take(1)
        return props

    def component(self):
        cls = self.short()
        if not cls:
            raise Bad("a component without a class name")
        comp = {"class": cls, "name": self.short(), "properties": self.properties(),
                "children": []}
        while self.peek() != 0:
            comp["children"].append(self.component())
        self.take(1)
        return comp


def series_block(r, extra):
    start = r.pos
    flags = r.unpack("B")
    if flags & ~7:
        raise Bad("unknown flag bits %#x" % flags)
    count = r.unpack("i")
    if count < 0:
        raise Bad("a negative point count")
    xs, ys, colors, labels, extras = [], [], [], [], []
    for _ in range(count):
        if flags & 1:
            xs.append(r.unpack("d"))
        ys.append(r.unpack("d"))
        if flags & 2:
            colors.append(r.unpack("I"))
        if flags & 4:
            labels.append(r.short())
        extras.append([r.unpack("d") for _ in range(extra)])
    return {"flags": flags, "count": count, "bytes": r.pos - start, "x": xs, "y": ys,
            "colors": colors, "labels": labels, "extra": extras}


def check(data, extra_lists):
    r = Reader(data)
    if r.unpack("H") != 0x3060:
        raise Bad("wrong signature")
    if r.unpack("H") != 0x0120:
        raise Bad("wrong version")
    if r.take(4) != b"TPF0":
        raise Bad("no component stream signature")
    chart = r.component()
    series = []
    for child in chart["children"]:
        series.append(series_block(r, extra_lists.get(child["class"], 0)))
    if r.pos != len(data):
        raise Bad("%d bytes after the last series block" % (len(data) - r.pos))
    return {"chart": chart, "series": series}


def main(argv):
    extra = dict(EXTRA_LISTS)
    args = argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    name = args[0]
    for a in args[1:]:
        if a.startswith("--extra="):
            a = a[len("--extra="):]
        if "=" in a:
            k, v = a.split("=", 1)
            extra[k] = int(v)
    with open(name, "rb") as f:
        data = f.read()
    try:
        result = check(data, extra)
    except Bad as e:
        print("bad file: %s" % e, file=sys.stderr)
        return 1
    json.dump(result, sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
