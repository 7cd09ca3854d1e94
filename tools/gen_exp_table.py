#!/usr/bin/env python3
"""Prints the constants of engine/exp_kernel.cpp: 2^(j/64) as a pair of long doubles (the sum
holds it to about 128 bits) and the split of ln 2 / 64. Needs mpmath."""
import mpmath

mpmath.mp.prec = 256


def long_double(v):
    """v rounded to a 64-bit significand: its C literal and its exact value."""
    if v == 0:
        return "0.0L", mpmath.mpf(0)
    sign = "-" if v < 0 else ""
    v = abs(v)
    e = int(mpmath.floor(mpmath.log(v, 2)))
    m = int(mpmath.nint(v * mpmath.mpf(2) ** (63 - e)))
    if m >= 2**64:
        m //= 2
        e += 1
    exact = mpmath.mpf(m) * mpmath.mpf(2) ** (e - 63)
    return "%s0x%xp%dL" % (sign, m, e - 63), (-exact if sign else exact)


for j in range(64):
    t = mpmath.mpf(2) ** (mpmath.mpf(j) / 64)
    hi, hv = long_double(t)
    lo, _ = long_double(t - hv)
    print("    {%s, %s}," % (hi, lo))

step = mpmath.log(2) / 64
e = int(mpmath.floor(mpmath.log(step, 2)))
m = int(mpmath.floor(step * mpmath.mpf(2) ** (43 - e)))  # 44 bits: k * Hi is exact for |k| < 2^20
hi = mpmath.mpf(m) * mpmath.mpf(2) ** (e - 43)
print("Ln2By64Hi = 0x%xp%dL" % (m, e - 43))
print("Ln2By64Lo =", long_double(step - hi)[0])
print("InvLn2By64 =", long_double(64 / mpmath.log(2))[0])
