#!/usr/bin/env python3
"""Writes complex_reference.txt: arbitrary-precision values of the complex-mode functions.

Run once with mpmath installed; the output is committed so the tests need no extra tools.
Each line: name, the argument(s) as exact hexadecimal long-double literals (real and imaginary
part, a second pair for binary operations), then the reference real and imaginary parts.
"""
import os
import mpmath as mp

mp.mp.prec = 256


def ld(value):
    """The value rounded to a 64-bit mantissa, as an exact hexadecimal literal and as an mpf."""
    with mp.workprec(64):
        v = mp.mpf(value)
    if v == 0:
        return "0x0p+0", mp.mpf(0)
    man, exp = v.man, v.exp
    sign = "-" if v < 0 else ""
    return f"{sign}0x{abs(man):x}p{exp:+d}", v


def num(v):
    if v == 0:
        return "0"
    with mp.workprec(96):
        return mp.nstr(+v, 22, min_fixed=1, max_fixed=0, strip_zeros=False)


def stable(f, *args):
    """f at a working precision raised until two evaluations agree to far below long-double
    rounding: some library formulas cancel catastrophically for tiny or huge arguments."""
    # mpmath's own formulas cancel 1 against a tiny argument, so the precision must cover the
    # argument's (negative) binary exponent.
    prec = 256 + 2 * max([0] + [-mp.mag(p) for a in args for p in (a.real, a.imag) if p != 0])
    while True:
        with mp.workprec(prec):
            a = f(*args)
        with mp.workprec(2 * prec):
            b = f(*args)
        scale = abs(b)
        if scale == 0 or abs(a - b) <= scale * mp.mpf(2) ** -100:
            return b
        prec *= 2
        if prec > 65536:
            raise RuntimeError(f"no stable value for {f} at {args}")


def polar_points(moduli, angles):
    pts = []
    for r in moduli:
        for t in angles:
            pts.append((mp.mpf(r) * mp.cos(t), mp.mpf(r) * mp.sin(t)))
    return pts


GENERAL = polar_points(
    ["1e-3000", "1e-300", "1e-12", "1e-4", "0.3", "0.97", "1.04", "2.5", "9.5", "40", "1e5",
     "1e15", "1e300", "1e3000"],
    [0.12, 0.8, 1.45, 2.2, 3.05, -0.5, -1.6, -2.7])
MODERATE = polar_points(["1e-300", "1e-12", "1e-4", "0.3", "0.97", "1.04", "2.5", "9.5",
                         "40", "700"],
                        [0.12, 0.8, 1.45, 2.2, 3.05, -0.5, -1.6, -2.7])
# Both sides of and on the cuts along the real axis, and near the points +-1.
REAL_CUT = [(x, y) for x in ["-1e4", "-5", "-2", "-1.0000001", "-0.999", "-0.5", "0.3",
                             "0.99999999", "1.0000001", "2", "60"]
            for y in ["0", "1e-30", "-1e-30", "1e-9", "-1e-9"]]
IMAG_CUT = [(y, x) for (x, y) in REAL_CUT]
NEAR_ONE = [("1", "1e-15"), ("1", "-1e-15"), ("1.00000000001", "1e-11"),
            ("0.99999999999", "-1e-11"), ("-1", "1e-15"), ("-1.00000000001", "-1e-11")]

UNARY = {
    "exp": (mp.exp, MODERATE + REAL_CUT),
    "ln": (mp.log, GENERAL + REAL_CUT + NEAR_ONE),
    "sqrt": (mp.sqrt, GENERAL + REAL_CUT),
    "sin": (mp.sin, MODERATE + IMAG_CUT),
    "cos": (mp.cos, MODERATE + IMAG_CUT),
    "tan": (mp.tan, MODERATE + IMAG_CUT + [("1.5707963267948966", "1e-6"),
                                           ("-1.5707963267948966", "1e-8"),
                                           ("0.3", "3000"), ("0.3", "-30000")]),
    "sinh": (mp.sinh, MODERATE + REAL_CUT),
    "cosh": (mp.cosh, MODERATE + REAL_CUT),
    "tanh": (mp.tanh, MODERATE + REAL_CUT + [("3000", "0.3"), ("-30000", "0.3")]),
    "arcsin": (mp.asin, GENERAL + REAL_CUT + NEAR_ONE),
    "arccos": (mp.acos, GENERAL + REAL_CUT + NEAR_ONE),
    "arctan": (mp.atan, GENERAL + IMAG_CUT + [(y, x) for (x, y) in NEAR_ONE]),
    "arcsinh": (mp.asinh, GENERAL + IMAG_CUT + [(y, x) for (x, y) in NEAR_ONE]),
    "arccosh": (mp.acosh, GENERAL + REAL_CUT + NEAR_ONE),
    "arctanh": (mp.atanh, GENERAL + REAL_CUT + NEAR_ONE),
    # (mpmath's log-gamma is too slow at the precision that moduli near 1e-3000 need.)
    "lngamma": (mp.loggamma, [p for p in GENERAL if abs(mp.mpc(*p)) > mp.mpf("1e-1000")] + [("-2.5", "0"), ("-2.5", "1e-20"), ("-7.3", "-0.2"),
                                        ("-1e7", "1"), ("-123.4", "-5"), ("0.5", "30"),
                                        ("-1e30", "1e-3"), ("8.9", "0"), ("3", "1e-10"),
                                        ("1e-8", "1e-8"), ("-40.5", "0"), ("4.5", "-9")]),
}

BINARY_POINTS = [(a, b) for a in GENERAL[::9] for b in GENERAL[3::11]]
BINARY = {
    "div": (lambda z, w: z / w, BINARY_POINTS),
    "power": (lambda z, w: mp.power(z, w),
              [(z, w) for (z, w) in [((mp.mpf(2), mp.mpf(1)), ("0.5", "0.25")),
                                     (("-8", "0"), ("0.3333333333333333", "0")),
                                     (("1e100", "1e100"), ("1.5", "-0.5")),
                                     (("1e-200", "3"), ("-2", "0.1")),
                                     (("0.3", "-0.7"), ("10", "3")),
                                     (("-2", "-1e-30"), ("0.5", "0")),
                                     (("1.5", "2.5"), ("-3.25", "1.75")),
                                     (("0.001", "7"), ("2", "0")),
                                     (("-0.5", "0.5"), ("0", "-4")),
                                     (("7", "-2"), ("-1", "0"))]]),
}


def representable(r):
    """The result's modulus lies in the normal long-double range (so no true overflow)."""
    m = abs(r)
    return m == 0 or mp.mpf("1e-4900") < m < mp.mpf("1e4900")


def main():
    out_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "complex_reference.txt")
    lines = ["# name  arg(s) as hexadecimal re im  reference re im (mpmath, 256 bits)"]
    for name, (f, points) in UNARY.items():
        for (x, y) in points:
            hx, vx = ld(x)
            hy, vy = ld(y)
            r = stable(f, mp.mpc(vx, vy))
            if not representable(r):
                continue
            lines.append(f"{name} {hx} {hy} {num(r.real)} {num(r.imag)}")
    for name, (f, points) in BINARY.items():
        for (z, w) in points:
            h1, v1 = ld(z[0])
            h2, v2 = ld(z[1])
            h3, v3 = ld(w[0])
            h4, v4 = ld(w[1])
            r = stable(f, mp.mpc(v1, v2), mp.mpc(v3, v4))
            if not representable(r):
                continue
            lines.append(f"{name} {h1} {h2} {h3} {h4} {num(r.real)} {num(r.imag)}")
    with open(out_path, "w") as fh:
        fh.write("\n".join(lines) + "\n")
    print(len(lines) - 1, "values written to", out_path)


if __name__ == "__main__":
    main()
