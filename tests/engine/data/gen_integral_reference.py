#!/usr/bin/env python3
"""Writes integral_reference.txt: reference values of integral( for integrands that are singular
or not smooth at an end of the interval (and a few smooth ones), computed with mpmath at 40 digits;
and inner_singularity_reference.txt: integrands with integrable singularities inside the interval
(alone, several, or beside a singular end).
Each value is mpmath's quadrature (after x = low + (up - low) u^p where a power of x makes the
lower end singular, which mpmath's own rule resolves to few digits) and is checked against the
closed form to 20 digits.

Each line: low|up|body|value|tolerance, with the body in the calculator's own notation, the value
to 25 digits and the relative error allowed. That is 1e-13 where the rules can be exact, and the
window's precision of 9 digits where they cannot: at an interior kink, and at a singular end
other than 0, which the abscissas cannot approach nearer than the spacing of the numbers there
(the integral of (1-x)^-0.5 beyond 1 - 2.7e-20 alone is 3.3e-10).

Run once from this directory: python3 gen_integral_reference.py
"""
import mpmath as mp

mp.mp.dps = 40

pi, ln2 = mp.pi, mp.log(2)
# (low, up, body as typed, the integrand for mpmath, inner points where it is not smooth,
#  closed form, p > 1 for a power singularity at the lower end)
LIMITED = {"1/sqrt(1-X^2)", "(1-X)^-0.5", "abs(X-0.3)", "abs(sin(X)-0.5)"}
CASES = [
    ("0", "1", "ln(X)", lambda x: mp.log(x), [], -1),
    ("0", "1", "1/sqrt(X)", lambda x: 1 / mp.sqrt(x), [], 2, 2),
    ("0", "2", "1/sqrt(X)", lambda x: 1 / mp.sqrt(x), [], 2 * mp.sqrt(2), 2),
    ("0", "1", "X^-0.7", lambda x: x ** mp.mpf("-0.7"), [], 1 / mp.mpf("0.3"), 10),
    ("0", "1", "X^-0.9", lambda x: x ** mp.mpf("-0.9"), [], 10, 10),
    ("0", "1", "sqrt(X)", lambda x: mp.sqrt(x), [], mp.mpf(2) / 3, 2),
    ("0", "1", "sqrt(1-X^2)", lambda x: mp.sqrt(1 - x**2), [], pi / 4),
    ("-1", "1", "sqrt(1-X^2)", lambda x: mp.sqrt(1 - x**2), [0], pi / 2),
    ("0", "1", "1/sqrt(1-X^2)", lambda x: 1 / mp.sqrt(1 - x**2), [], pi / 2),
    ("0", "1", "(1-X)^-0.5", lambda x: (1 - x) ** mp.mpf("-0.5"), [], 2),
    ("0", "1", "ln(X)^2", lambda x: mp.log(x) ** 2, [], 2),
    ("0", "1", "X*ln(X)", lambda x: x * mp.log(x), [], mp.mpf(-1) / 4),
    ("0", "1", "X^3*ln(X)", lambda x: x**3 * mp.log(x), [], mp.mpf(-1) / 16),
    ("0", "1", "ln(X)/sqrt(X)", lambda x: mp.log(x) / mp.sqrt(x), [], -4, 2),
    ("0", "1", "ln(1-X)", lambda x: mp.log(1 - x), [], -1),
    ("0", "1", "ln(X)*ln(1-X)", lambda x: mp.log(x) * mp.log(1 - x), [], 2 - pi**2 / 6),
    ("0", "pi/2", "ln(sin(X))", lambda x: mp.log(mp.sin(x)), [], -pi / 2 * ln2),
    ("0", "1", "exp(-X)/sqrt(X)", lambda x: mp.exp(-x) / mp.sqrt(x), [], mp.sqrt(pi) * mp.erf(1), 2),
    ("0", "1", "arcsin(X)", lambda x: mp.asin(x), [], pi / 2 - 1),
    ("1", "0", "ln(X)", lambda x: mp.log(x), [], 1),
    ("0", "1", "abs(X-0.3)", lambda x: abs(x - mp.mpf("0.3")), [mp.mpf("0.3")],
     mp.mpf("0.29")),
    ("0", "3", "abs(sin(X)-0.5)", lambda x: abs(mp.sin(x) - mp.mpf("0.5")),
     [pi / 6, 5 * pi / 6], 2 * mp.sqrt(3) + mp.mpf(1) / 2 + mp.cos(3) - 2 * pi / 3),
    ("0", "1", "exp(X)", lambda x: mp.exp(x), [], mp.e - 1),
    ("0", "1", "1/(1+X^2)", lambda x: 1 / (1 + x**2), [], pi / 4),
    ("1", "10", "ln(X)/X", lambda x: mp.log(x) / x, [], mp.log(10) ** 2 / 2),
]


# Singular inside: the abscissas cannot come nearer to the point than the spacing of the numbers
# there (at 0.3 the integral of |x - 0.3|^-0.5 over that gap alone is 3e-10), nor can the point
# itself be told exactly where it is not a binary fraction (pi/2): the window's 9 digits.
INNER = [
    ("0", "1", "1/sqrt(abs(X-0.3))", lambda x: 1 / mp.sqrt(abs(x - mp.mpf("0.3"))),
     [mp.mpf("0.3")], 2 * mp.sqrt(mp.mpf("0.3")) + 2 * mp.sqrt(mp.mpf("0.7"))),
    ("1", "0", "1/sqrt(abs(X-0.3))", lambda x: 1 / mp.sqrt(abs(x - mp.mpf("0.3"))),
     [mp.mpf("0.3")], -2 * mp.sqrt(mp.mpf("0.3")) - 2 * mp.sqrt(mp.mpf("0.7"))),
    ("0", "1", "ln(abs(X-0.3))", lambda x: mp.log(abs(x - mp.mpf("0.3"))), [mp.mpf("0.3")],
     mp.mpf("0.3") * mp.log(mp.mpf("0.3")) + mp.mpf("0.7") * mp.log(mp.mpf("0.7")) - 1),
    ("-1", "1", "ln(abs(X))", lambda x: mp.log(abs(x)), [0], -2),
    ("-1", "2", "1/sqrt(abs(X))", lambda x: 1 / mp.sqrt(abs(x)), [0], 2 + 2 * mp.sqrt(2)),
    ("-2", "3", "abs(X-0.7)^-0.25*exp(X)", lambda x: abs(x - mp.mpf("0.7")) ** mp.mpf("-0.25") * mp.exp(x),
     [mp.mpf("0.7")], None),
    ("0", "pi", "1/sqrt(abs(cos(X)))", lambda x: 1 / mp.sqrt(abs(mp.cos(x))), [pi / 2],
     2 * mp.sqrt(2) * mp.ellipk(mp.mpf(1) / 2)),
    ("-1", "4", "1/sqrt(abs(X*(X-2)))", lambda x: 1 / mp.sqrt(abs(x * (x - 2))), [0, 2], None),
    ("0", "1", "ln(X)+1/sqrt(abs(X-0.5))", lambda x: mp.log(x) + 1 / mp.sqrt(abs(x - mp.mpf("0.5"))),
     [mp.mpf("0.5")], -1 + 4 * mp.sqrt(mp.mpf("0.5"))),
    ("0", "1", "sqrt(abs(X-0.3))", lambda x: mp.sqrt(abs(x - mp.mpf("0.3"))), [mp.mpf("0.3")],
     (2 * mp.mpf("0.3") ** 1.5 + 2 * mp.mpf("0.7") ** 1.5) / 3),
    ("0", "2", "ln(abs(sin(3*X)))", lambda x: mp.log(abs(mp.sin(3 * x))), [pi / 3],
     None),
]


def bound(text):
    return {"pi/2": pi / 2, "pi": pi}.get(text) or mp.mpf(text)


def integrate(f, lo, hi, inner, p):
    if p > 1:  # x = lo + (hi - lo) u^p
        g = lambda u: f(lo + (hi - lo) * u**p) * (hi - lo) * p * u ** (p - 1)
        return mp.quad(g, [0, 1])
    return mp.quad(f, [lo] + inner + [hi])


with open("integral_reference.txt", "w") as out:
    out.write("# low|up|body|value|tolerance (gen_integral_reference.py)\n")
    for low, up, body, f, inner, exact, *p in CASES:
        a, b = bound(low), bound(up)
        lo, hi = min(a, b), max(a, b)
        v = integrate(f, lo, hi, inner, p[0] if p else 1)
        if a > b:
            v = -v
        assert abs(v - exact) < mp.mpf(10) ** -20 * max(1, abs(exact)), (body, v, exact)
        tol = "1e-9" if body in LIMITED else "1e-13"
        out.write("%s|%s|%s|%s|%s\n" % (low, up, body, mp.nstr(v, 25, min_fixed=1, max_fixed=0), tol))

with open("inner_singularity_reference.txt", "w") as out:
    out.write("# low|up|body|value|tolerance (gen_integral_reference.py)\n")
    for low, up, body, f, inner, exact in INNER:
        a, b = bound(low), bound(up)
        lo, hi = min(a, b), max(a, b)
        v = mp.quad(f, [lo] + inner + [hi])
        if a > b:
            v = -v
        if exact is not None:
            assert abs(v - exact) < mp.mpf(10) ** -20 * max(1, abs(exact)), (body, v, exact)
        else:  # no closed form: the value must stand at twice the working precision
            with mp.workdps(80):
                w = mp.quad(f, [lo] + inner + [hi], maxdegree=10)
            if a > b:
                w = -w
            assert abs(v - w) < mp.mpf(10) ** -20 * max(1, abs(v)), (body, v, w)
        out.write("%s|%s|%s|%s|1e-9\n" % (low, up, body, mp.nstr(v, 25, min_fixed=1, max_fixed=0)))
print(len(CASES), "integrals at the ends,", len(INNER), "inside")
