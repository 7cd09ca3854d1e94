#!/usr/bin/env python3
"""Prints the table and the constants of engine/sin_kernel.cpp. For -32 <= i < 32 a row holds
sin(c + k pi/2) with c = i pi/128 for k = 0..3 (sin, cos, -sin and -cos of c) as a long double
and the rest in a double (the sum holds the value to about 117 bits), the same values as pairs of
doubles (106 bits) for the factors of the small remainder, which need no long double (the
processor loads one several times as slowly as a double), and c itself. Needs mpmath."""
import mpmath

from float_literals import double, double_pair, split, wide

step = mpmath.pi / 128
for i in range(-32, 32):
    c = i * step
    s, co = mpmath.sin(c), mpmath.cos(c)
    turns = (s, co, -s, -co)
    values = [wide(v) for v in turns]
    slopes = [double_pair(v) for v in turns]
    print("    {{%s}, {%s}, {%s}, %s, %s}," % (", ".join(v[0] for v in values),
                                            ", ".join(v[1] for v in values),
                                            ", ".join("{%s, %s}" % p for p in slopes),
                                            *wide(c)))

# pi/128: the first two parts of 38 bits (n times them is exact for n < 2^26), the next two
# doubles.
print("PiBy128 =", split(step, 2, 38))
print("InvPiBy128 =", double(1 / step)[0])
print("MinusSixthHi, Lo =", double_pair(-mpmath.mpf(1) / 6))
