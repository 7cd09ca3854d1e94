// The 130 built-in names, their ids and argument kinds, and their help texts.
#include "engine/builtin_table.h"

#include <algorithm>
#include <cstdint>

// Defined constexpr (the header's extern declaration keeps it visible to other files) so that
// the name lookup below can be built from it at compile time.
constexpr std::array<TBuiltinEntry, BuiltinCount> BuiltinTable = {{
    {"min(", 0, 3},      {"sin(", 1, 1},        {"arcsin(", 2, 1},   {"arccos(", 3, 1},
    {"arctan(", 4, 1},   {"arcsinh(", 5, 1},    {"arccosh(", 6, 1},  {"arctanh(", 7, 1},
    {"sinh(", 8, 1},     {"cosh(", 9, 1},       {"tanh(", 10, 1},    {"random", 11, 0},
    {"cos(", 12, 1},     {"tan(", 13, 1},       {"exp(", 14, 1},     {"sqrt(", 15, 1},
    {"ln(", 16, 1},      {"log(", 17, 1},       {"Jn(", 18, 2},      {"Yn(", 19, 2},
    {"In(", 20, 2},      {"Kn(", 21, 2},        {"solve(", 22, 3},   {"Ci(", 23, 1},
    {"Si(", 24, 1},      {"erf(", 25, 1},       {"gamma(", 26, 1},   {"integral(", 27, 3},
    {"\xB6", 28, 0},     {"pi", 29, 0},         {"e", 30, 0},        {"n!(", 31, 1},
    {"eFD(", 32, 2},     {"abs(", 33, 1},       {"round(", 34, 1},   {"frac(", 35, 1},
    {"trunc(", 36, 1},   {"max(", 37, 3},       {"mean(", 38, 1},    {"std(", 39, 1},
    {"sqr(", 40, 1},     {"sum(", 41, 1},       {"gauss(", 42, 2},   {"poly(", 43, 1},
    {"stat(", 44, 2},    {"ft_m(", 45, 1},      {"m_ft(", 46, 1},    {"ml_km(", 47, 1},
    {"km_ml(", 48, 1},   {"lb_g(", 49, 1},      {"g_lb(", 50, 1},    {"pt_l(", 51, 1},
    {"l_pt(", 52, 1},    {"gl_l(", 53, 1},      {"l_gl(", 54, 1},    {"yd_m(", 55, 1},
    {"m_yd(", 56, 1},    {"in_m(", 57, 1},      {"m_in(", 58, 1},    {"oc_g(", 59, 1},
    {"g_oc(", 60, 1},    {"br_l(", 61, 1},      {"br_oc(", 62, 1},   {"usgl_cm(", 63, 1},
    {"cm_usgl(", 64, 1}, {"bigl_cm(", 65, 1},   {"cm_bigl(", 66, 1}, {"x", 67, 0},
    {"y", 68, 0},        {"z", 69, 0},          {"v", 70, 0},        {"w", 71, 0},
    {"i", 72, 0},        {"j", 73, 0},          {"k", 74, 0},        {"m", 75, 0},
    {"n", 76, 0},        {"X", 77, 0},          {"Y", 78, 0},        {"Z", 79, 0},
    {"V", 80, 0},        {"W", 81, 0},          {"I", 82, 0},        {"J", 83, 0},
    {"K", 84, 0},        {"M", 85, 0},          {"N", 86, 0},        {"10^(", 87, 1},
    {"if(", 88, 1},      {"arctan2(", 89, 2},   {"ceil(", 90, 1},    {"floor(", 91, 1},
    {"ctan(", 92, 1},    {"logN(", 93, 2},      {"hmn(", 94, 1},     {"mant(", 95, 1},
    {"expon(", 96, 1},   {"norm(", 97, 1},      {"psd(", 98, 1},     {"pnv(", 99, 1},
    {"sos(", 100, 1},    {"variance(", 101, 1}, {"ssqr(", 102, 2},   {"bnml(", 103, 2},
    {"igamma(", 104, 2}, {"jgamma(", 105, 2},   {"beta(", 106, 2},   {"gmn(", 107, 1},
    {"sec(", 108, 1},    {"pnorm(", 109, 1},    {"pstud(", 110, 2},  {"csc(", 111, 1},
    {"sech(", 112, 1},   {"ibeta(", 113, 3},    {"erfc(", 114, 1},   {"lgamma(", 115, 1},
    {"csch(", 116, 1},   {"lcm(", 117, 2},      {"gcd(", 118, 2},    {"sign(", 119, 1},
    {"sgamma(", 120, 1}, {"log2(", 121, 1},     {"lexp(", 122, 2},   {"perm(", 123, 2},
    {"2^(", 124, 1},     {"pkhi(", 125, 2},     {"psned(", 126, 3},  {"cx(", 127, 1},
    {"sx(", 128, 1},     {"ei(", 129, 1},
}};

// Rows 67-87 and 124 have no help text; the unit conversions are matched to their own rows.
const std::array<std::string_view, BuiltinCount> BuiltinHelp = {
    /*   0 */ "Absolute minimum search of (...)",
    /*   1 */ "Sine of (%A)",
    /*   2 */ "Arc sine of (-1<=Value<=1)",
    /*   3 */ "Arc cosine (-1<=Value<=1)",
    /*   4 */ "Arc tangent of (...)",
    /*   5 */ "Inverse hiperbolic sine (...)",
    /*   6 */ "Invers haperbolic cosine of (...)",
    /*   7 */ "Invert hiperbolic tangent of (...)",
    /*   8 */ "Hiperbolic sine of (...)",
    /*   9 */ " Hiperbolic cosine of (...)",
    /*  10 */ "Hiperbolic tangent of (...)",
    /*  11 */ " 0.0 <= Random number <= 1.0",
    /*  12 */ "Cosine of (%A)",
    /*  13 */ "Tangent of (%A)",
    /*  14 */ "Exponent",
    /*  15 */ "Positive square root of (...)",
    /*  16 */ "Natural logarithm of (...)",
    /*  17 */ "Logarithm of (...)",
    /*  18 */ "Bessel function of the first kind J (...th,of ...)",
    /*  19 */ "Bessel function of the second kind Y (...th, of ...)",
    /*  20 */ "Modified Bessel function first kind I (...th,of ...)",
    /*  21 */ "Modified Bessel function of the second kind K (...th, of ...)",
    /*  22 */ "Solve equation of f(x)=0. Syntax: solve(Low, Up, equation f(x))",
    /*  23 */ "Integral Cosine of (...)",
    /*  24 */ "Integral Sine of (...)",
    /*  25 */ "Error function with normal distribution",
    /*  26 */ "Euler gamma function of (...)",
    /*  27 */ "Numerical Integration of f(x). Syntax: Integral(Low, Up, f(x))",
    /*  28 */ "Ratio of a circle's circumference to its diameter",
    /*  29 */ "Ratio of a circle's circumference to its diameter",
    /*  30 */ "Natural logarithm \" e \"",
    /*  31 */ "Factarial of (...)",
    /*  32 */ "Fermi-Dirak function(...th, of...)",
    /*  33 */ "Absolute value",
    /*  34 */ "Round upward",
    /*  35 */ "Fractional part of (...)",
    /*  36 */ "Integer part of (...)",
    /*  37 */ "Absolute maximum search of (...)",
    /*  38 */ "Mean value of (x1,x2, ... ,xN)",
    /*  39 */ "Standard deviation of (x1,x2, ... ,xN)",
    /*  40 */ "Squared of (...)",
    /*  41 */ "Sum of the elements from  array (x1,x2, ... ,xN)",
    /*  42 */ "Random numbers with Gaussian  distribution (Mean..., StdDiv...)",
    /*  43 */ "Evaluates a uniform polynomial of one variable ( Variable, a0, a1, ... ,aN) ",
    /*  44 */ "Statistical total variance of (x1,x2, ... ,xN)",
    /*  45 */ "Convert from feet to meters",
    /*  46 */ "Convert from meters to feet",
    /*  47 */ "Convert from miles to kilometers",
    /*  48 */ "Convert from kilometers to miles",
    /*  49 */ "Convert from pounds to grams",
    /*  50 */ "Convert from grams to pounds",
    /*  51 */ "Convert from pints to liters",
    /*  52 */ "Convert from liters to pints",
    /*  53 */ "Convert from gallons to liters",
    /*  54 */ "Convert from liters to gallons",
    /*  55 */ "Convert from yards to meters",
    /*  56 */ "Convert from meters to yards",
    /*  57 */ "Convert from inches to meters",
    /*  58 */ "Convert from meters to inches",
    /*  59 */ "Convert from ounces to grams",
    /*  60 */ "Convert from grams to ounces",
    /*  61 */ "Convert from barrels to liters",
    /*  62 */ "Convert from liters to barrels",
    /*  63 */ "Convert from US gallons to cubic meters",
    /*  64 */ "Convert from cubic meters to US gallons",
    /*  65 */ "Convert from British imperial gallons to cubic meters",
    /*  66 */ "Convert from cubic meters to British imperial gallons",
    /*  67 */ "",
    /*  68 */ "",
    /*  69 */ "",
    /*  70 */ "",
    /*  71 */ "",
    /*  72 */ "",
    /*  73 */ "",
    /*  74 */ "",
    /*  75 */ "",
    /*  76 */ "",
    /*  77 */ "",
    /*  78 */ "",
    /*  79 */ "",
    /*  80 */ "",
    /*  81 */ "",
    /*  82 */ "",
    /*  83 */ "",
    /*  84 */ "",
    /*  85 */ "",
    /*  86 */ "",
    /*  87 */ "",
    /*  88 */ "if(<expression1>condition<expresion2>)then(..)else(..)",
    /*  89 */ "Arc tangent of (...th,divide by...)",
    /*  90 */ "Lowest integer greater than or equal to (...)",
    /*  91 */ "Highest integer less than or equal to (...)",
    /*  92 */ "Cotangent of (...)",
    /*  93 */ "Logarithm base (...th,of...)",
    /*  94 */ "Harmonic mean of (x1,x2, ... ,xN)",
    /*  95 */ "Mantissa of (...)",
    /*  96 */ "Exponent part of (...)",
    /*  97 */ "Sqrt of sum of sqr of (x1,x2, ... ,xN)",
    /*  98 */ "Population standard deviation of (x1,x2, ... ,xN)",
    /*  99 */ "Population variance of (x1,x2, ... ,xN)",
    /* 100 */ "Sum of sqr of (x1,x2,..xN)",
    /* 101 */ "Statistical sample variance of (x1,x2, ... ,xN)",
    /* 102 */ "Distanse between points (0,0) and (...,...) = sqrt(X^2+Y^2)",
    /* 103 */ "Binomial coefficient (from...,of...)",
    /* 104 */ "Incomplete Gamma function of (a, x) for a>0, x>=0",
    /* 105 */ "Complement of incomplete Gamma function of (a, x) for a>0, x>=0",
    /* 106 */ "Beta function of (... , ...)",
    /* 107 */ "Geometric mean of (x1,x2, ... ,xN)",
    /* 108 */ "Secant of (...)",
    /* 109 */ "Probability of standard normal of (...)",
    /* 110 */ "Probability of Student's of (degrees of freedom, ...)",
    /* 111 */ "Cosecant of (...)",
    /* 112 */ "Hyperbolic secant of (...)",
    /* 113 */ "Incomplete Beta function (a,b,x)",
    /* 114 */ "Complement of Erf of (...)",
    /* 115 */ "Natural logarithm absolut Gamma of (...)",
    /* 116 */ "Hyperbolic cosecant of (...)",
    /* 117 */ "Least common multiple (of...,and...)",
    /* 118 */ "Greatest common devisor(of...,and...)",
    /* 119 */ "Sign of (...)",
    /* 120 */ "Sign of Gamma function at (...)",
    /* 121 */ "Logarithm base 2 of (...)",
    /* 122 */ "lexp(X,P) calculates X * (2^round(P))",
    /* 123 */ "perm(N,R) calculates permutation of round(R) objects from round(N)",
    /* 124 */ "",
    /* 125 */ "Probability of Pearson's Khi-2 of (degrees of freedom,...) = Prob(Khi2 >= of ...)",
    /* 126 */ "Probability of Snedecor's of (Nu1, Nu2, ..) Nu1, Nu2 = degrees of freedom",
    /* 127 */ "Fresnel integral of the first kind of (...)",
    /* 128 */ "Fresnel integral of the second kind of (...)",
    /* 129 */ "Exponential integral of (...)",
};

namespace {
constexpr std::array<bool, BuiltinCount> ListFunctionRows = [] {
  std::array<bool, BuiltinCount> rows{};
  for (const int id : ListFunctionIds) rows[static_cast<size_t>(id)] = true;
  return rows;
}();
}  // namespace

bool IsListFunction(int Id) {
  return Id >= 0 && Id < BuiltinCount && ListFunctionRows[static_cast<size_t>(Id)];
}

namespace {

// The rows by name in an open-addressing hash table, so that a name costs one hash and mostly one
// comparison instead of a scan over all rows (names are resolved on every read of a formula,
// hundreds of thousands of times in a plot). A kind-0 row is keyed by its bare name, a function row
// by its name with the '('; a query hashes the bare name once and extends the hash by the stop
// character.
constexpr std::uint32_t HashStep(std::uint32_t H, unsigned char C) { return (H ^ C) * 16777619u; }
constexpr std::uint32_t HashSeed = 2166136261u;

constexpr std::uint32_t HashOf(std::string_view Key) {
  std::uint32_t h = HashSeed;
  for (const char c : Key) h = HashStep(h, static_cast<unsigned char>(c));
  return h;
}

constexpr size_t SlotCount = 512;  // a power of two, about four times the rows
constexpr std::int16_t NoRow = -1;

constexpr std::array<std::int16_t, SlotCount> BuildSlots() {
  std::array<std::int16_t, SlotCount> slots{};
  for (auto& slot : slots) slot = NoRow;
  for (const auto& row : BuiltinTable) {
    size_t i = HashOf(row.Name) & (SlotCount - 1);
    while (slots[i] != NoRow) i = (i + 1) & (SlotCount - 1);
    slots[i] = static_cast<std::int16_t>(row.Id);
  }
  return slots;
}
constexpr std::array<std::int16_t, SlotCount> Slots = BuildSlots();

// Compared in place: the names are a few characters long, shorter than a call to memcmp.
bool SameName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (A[i] != B[i]) return false;
  return true;
}

int Probe(std::uint32_t Hash, std::string_view Key, bool Function) {
  for (size_t i = Hash & (SlotCount - 1);; i = (i + 1) & (SlotCount - 1)) {
    const int id = Slots[i];
    if (id == NoRow) return -1;
    const auto& row = BuiltinTable[static_cast<size_t>(id)];
    if ((row.Kind != 0) == Function && SameName(row.Name, Key)) return id;
  }
}

// The rows of the one-character constants (the letter variables, e and the pi character) by
// their character: the names a plotted formula reads most.
constexpr std::array<std::int16_t, 256> OneCharacterRows = [] {
  std::array<std::int16_t, 256> rows{};
  for (auto& row : rows) row = NoRow;
  for (const auto& row : BuiltinTable) {
    if (row.Kind != 0 || row.Name.size() != 1) continue;
    auto& slot = rows[static_cast<unsigned char>(row.Name[0])];
    if (slot == NoRow) slot = static_cast<std::int16_t>(row.Id);
  }
  return rows;
}();

// No function has a one-character name, so a one-character constant needs no second look.
constexpr bool NoOneCharacterFunction = [] {
  for (const auto& row : BuiltinTable)
    if (row.Kind != 0 && row.Name.size() <= 2) return false;
  return true;
}();
static_assert(NoOneCharacterFunction);

}  // namespace

int FindBuiltin(std::string_view NameWithStop) {
  if (NameWithStop.empty()) return -1;
  if (NameWithStop.size() == 2)
    return OneCharacterRows[static_cast<unsigned char>(NameWithStop[0])];
  const std::string_view bare = NameWithStop.substr(0, NameWithStop.size() - 1);
  const std::uint32_t h = HashOf(bare);
  const int constant = Probe(h, bare, false);
  if (NameWithStop.back() != '(') return constant;
  const int function = Probe(HashStep(h, '('), NameWithStop, true);
  // No name is both, but should one ever be, the lower row wins as it always has.
  if (constant < 0) return function;
  if (function < 0) return constant;
  return std::min(constant, function);
}
