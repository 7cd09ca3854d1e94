"""C literals of numbers rounded to the significands of double and long double, for the scripts
that print the elementary-function kernels' constants. Needs mpmath."""
import mpmath

mpmath.mp.prec = 256


def rounded(v, bits, suffix):
    """v rounded to a significand of the given bits: its C literal and its exact value."""
    if v == 0:
        return "0.0" + suffix, mpmath.mpf(0)
    sign = "-" if v < 0 else ""
    v = abs(v)
    e = int(mpmath.floor(mpmath.log(v, 2)))
    m = int(mpmath.nint(v * mpmath.mpf(2) ** (bits - 1 - e)))
    if m >= 2**bits:
        m //= 2
        e += 1
    exact = mpmath.mpf(m) * mpmath.mpf(2) ** (e - bits + 1)
    return "%s0x%xp%d%s" % (sign, m, e - bits + 1, suffix), (-exact if sign else exact)


def long_double(v):
    return rounded(v, 64, "L")


def double(v):
    return rounded(v, 53, "")


def wide(v):
    """A long double and a double that holds the rest."""
    hi, hv = long_double(v)
    return hi, double(v - hv)[0]


def double_pair(v):
    hi, hv = double(v)
    return hi, double(v - hv)[0]


def split(v, parts, bits):
    """v as parts of the given bits each, then doubles, largest first."""
    literals = []
    rest = v
    for _ in range(parts):
        e = int(mpmath.floor(mpmath.log(abs(rest), 2)))
        m = int(mpmath.nint(rest * mpmath.mpf(2) ** (bits - 1 - e)))
        literals.append("%s0x%xp%d" % ("-" if m < 0 else "", abs(m), e - bits + 1))
        rest -= mpmath.mpf(m) * mpmath.mpf(2) ** (e - bits + 1)
    for _ in range(2):
        lit, value = double(rest)
        literals.append(lit)
        rest -= value
    return literals
