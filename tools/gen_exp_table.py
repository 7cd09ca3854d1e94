#!/usr/bin/env python3
"""Prints the constants of engine/exp_kernel.cpp: 2^(j/64) as a long double and a double (the sum
holds it to about 117 bits) and the split of ln 2 / 64. The parts that do not reach the result's
last bits are doubles, which the processor loads several times as fast as long doubles. Needs
mpmath."""
import mpmath

from float_literals import double, long_double

for j in range(64):
    t = mpmath.mpf(2) ** (mpmath.mpf(j) / 64)
    hi, hv = long_double(t)
    lo, _ = double(t - hv)
    print("    {%s, %s}," % (hi, lo))

step = mpmath.log(2) / 64
e = int(mpmath.floor(mpmath.log(step, 2)))
m = int(mpmath.floor(step * mpmath.mpf(2) ** (43 - e)))  # 44 bits: k * Hi is exact for |k| < 2^20
hi = mpmath.mpf(m) * mpmath.mpf(2) ** (e - 43)
print("Ln2By64Hi = 0x%xp%d" % (m, e - 43))
print("Ln2By64Lo =", double(step - hi)[0])
print("InvLn2By64 =", double(64 / mpmath.log(2))[0])
