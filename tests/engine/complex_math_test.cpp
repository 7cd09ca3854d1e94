#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "engine/complex_math.h"
#include "engine/specfun.h"

namespace {

using Unary = std::function<void(TComplex, TComplex&)>;
using Binary = std::function<void(TComplex, TComplex, TComplex&)>;

TComplex Alg(Extended a, Extended b) { return TComplex{cfAlgebraic, a, b}; }

Extended Parse(const std::string& s) { return std::strtold(s.c_str(), nullptr); }

// |w - ref| / |ref|, the error measure of the reference comparison.
Extended RelErr(const TComplex& w, Extended re, Extended im) {
  const Extended dr = CRe(w) - re, di = CIm(w) - im;
  const Extended m = std::hypot(re, im);
  return m == 0 ? std::hypot(dr, di) : std::hypot(dr, di) / m;
}

// Points on or right next to a cut or a branch point change sides or value when the input is
// rounded through the other form; the two-form comparison skips them.
bool SafeForExponential(Extended x, Extended y) {
  const Extended r = std::hypot(x, y);
  if (std::fabs(x) < 1e-6L * r || std::fabs(y) < 1e-6L * r) return false;
  for (auto [bx, by] : {std::pair{1.0L, 0.0L}, {-1.0L, 0.0L}, {0.0L, 1.0L}, {0.0L, -1.0L}})
    if (std::hypot(x - bx, y - by) < 1e-3L) return false;
  return true;
}

constexpr Extended Tolerance = 5e-13L;

}  // namespace

TEST(ComplexMath, MatchesReferenceInBothForms) {
  const std::map<std::string, Unary> unary = {
      {"exp", CExp},         {"ln", CLn},           {"sqrt", CSqrt},       {"sin", CSin},
      {"cos", CCos},         {"tan", CTan},         {"sinh", CSinh},       {"cosh", CCosh},
      {"tanh", CTanh},       {"arcsin", CArcSin},   {"arccos", CArcCos},   {"arctan", CArcTan},
      {"arcsinh", CArcSinh}, {"arccosh", CArcCosh}, {"arctanh", CArcTanh}, {"lngamma", CLnGamma},
  };
  const std::map<std::string, Binary> binary = {{"div", CDiv}, {"power", CPower}};

  std::ifstream in(std::string(NUMYX_TEST_DATA) + "/complex_reference.txt");
  ASSERT_TRUE(in.good());
  std::map<std::string, Extended> worst;
  std::map<std::string, int> count;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream ls(line);
    std::string name;
    ls >> name;
    std::vector<std::string> f;
    for (std::string t; ls >> t;) f.push_back(t);
    TComplex z = Alg(Parse(f[0]), Parse(f[1])), r;
    EngineState.ErrCode = 0;
    Extended re, im;
    if (unary.count(name)) {
      ASSERT_EQ(f.size(), 4u) << line;
      re = Parse(f[2]);
      im = Parse(f[3]);
      unary.at(name)(z, r);
      if (SafeForExponential(z.A, z.B)) {
        TComplex ze, re2;
        CConvert(z, cfExponential, ze);
        unary.at(name)(ze, re2);
        const Extended e = RelErr(re2, re, im);
        EXPECT_LE(e, Tolerance) << "exponential form: " << line;
      }
    } else {
      ASSERT_TRUE(binary.count(name)) << line;
      ASSERT_EQ(f.size(), 6u) << line;
      const TComplex w = Alg(Parse(f[2]), Parse(f[3]));
      re = Parse(f[4]);
      im = Parse(f[5]);
      binary.at(name)(z, w, r);
    }
    EXPECT_EQ(EngineState.ErrCode, 0) << line;
    const Extended e = RelErr(r, re, im);
    EXPECT_LE(e, Tolerance) << line << "\n got " << static_cast<double>(CRe(r)) << " "
                            << static_cast<double>(CIm(r));
    worst[name] = std::fmax(worst[name], e);
    ++count[name];
  }
  EXPECT_EQ(count.size(), unary.size() + binary.size());
  for (const auto& [name, e] : worst)
    std::cout << "  " << name << ": " << count[name] << " points, worst relative error "
              << static_cast<double>(e) << "\n";
}

TEST(ComplexMath, FormsAndArithmetic) {
  TComplex e, a, r;
  CMake(cfExponential, e, 2, 3);
  CMake(cfAlgebraic, a, 1, 1);
  CMul(e, a, r);  // the left operand's form wins
  EXPECT_EQ(r.Form, cfExponential);
  EXPECT_NEAR(static_cast<double>(r.A), 2 * std::sqrt(2.0), 1e-15);
  CAdd(e, e, r);
  EXPECT_EQ(r.Form, cfAlgebraic);
  CNeg(e, r);
  EXPECT_EQ(r.Form, cfExponential);
  EXPECT_NEAR(static_cast<double>(r.B), 3 + M_PI - 2 * M_PI, 1e-15);

  // A negative modulus is the same number with the argument turned by pi.
  TComplex m;
  CMake(cfExponential, m, -4, 0);
  EXPECT_EQ(m.A, 4);
  EXPECT_NEAR(static_cast<double>(CRe(m)), -4, 1e-15);
  EXPECT_EQ(CAbs(m), 4);
  CSqrt(m, r);
  EXPECT_NEAR(static_cast<double>(CRe(r)), 0, 1e-15);
  EXPECT_NEAR(static_cast<double>(CIm(r)), 2, 1e-15);
  CLn(m, r);
  EXPECT_NEAR(static_cast<double>(r.A), std::log(4.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(r.B), M_PI, 1e-15);

  // An argument outside (-pi, pi] still gives the principal root.
  CMake(cfExponential, m, 4, 2 * Pi + 1);
  CSqrt(m, r);
  EXPECT_NEAR(static_cast<double>(r.B), 0.5, 1e-15);

  // Division needs no c^2 + d^2, so huge and tiny operands divide exactly.
  for (Extended s : {1e3000L, 1e-3000L}) {
    CDiv(Alg(s, s), Alg(s, -s), r);
    EXPECT_EQ(CRe(r), 0);
    EXPECT_EQ(CIm(r), 1);
  }
  EngineState.ErrCode = 0;
  CDiv(ComplexOne, ComplexZero, r);
  EXPECT_EQ(EngineState.ErrCode, errOverflow);

  // Conversion round trip and the signs.
  CConvert(Alg(-3, 4), cfExponential, r);
  EXPECT_EQ(r.A, 5);
  CConvert(r, cfAlgebraic, r);
  EXPECT_NEAR(static_cast<double>(r.A), -3, 1e-15);
  EXPECT_NEAR(static_cast<double>(r.B), 4, 1e-15);
  EXPECT_EQ(CSign(Alg(0, -2)), -1);
  EXPECT_EQ(CSign(Alg(-0.0L, 0)), 0);
  EXPECT_TRUE(CEqual(Alg(1, 0), TComplex{cfExponential, 1, 0}));
}

TEST(ComplexMath, PolesAndSpecialValues) {
  TComplex r;
  auto code = [](auto op) {
    EngineState.ErrCode = 0;
    op();
    return EngineState.ErrCode;
  };
  EXPECT_EQ(code([&] { CPower(ComplexZero, ComplexZero, r); }), 0);
  EXPECT_TRUE(CEqual(r, ComplexOne));
  EXPECT_EQ(code([&] { CPower(ComplexZero, Alg(1, 1), r); }), 0);
  EXPECT_TRUE(CEqual(r, ComplexZero));
  EXPECT_EQ(code([&] { CPower(ComplexZero, Alg(-1, 0), r); }), errDivisionByZero);
  EXPECT_EQ(code([&] { CPower(ComplexZero, Alg(0, 2), r); }), errArguments);
  EXPECT_EQ(code([&] { CIntPower(ComplexZero, -1, r); }), errDivisionByZero);
  EXPECT_EQ(code([&] { CIntPower(ComplexZero, 0, r); }), 0);
  EXPECT_TRUE(CEqual(r, ComplexOne));
  EXPECT_EQ(code([&] { CSqrt(ComplexZero, r); }), 0);
  EXPECT_TRUE(CEqual(r, ComplexZero));
  EXPECT_EQ(code([&] { CLn(ComplexZero, r); }), errSingularity);
  EXPECT_EQ(code([&] { CLn(Alg(-1, 0), r); }), 0);
  EXPECT_EQ(r.A, 0);
  EXPECT_EQ(r.B, Pi);
  EXPECT_EQ(code([&] { CArcTan(ComplexI, r); }), errSingularity);
  EXPECT_EQ(code([&] { CArcTan(Alg(0, -1), r); }), errSingularity);
  EXPECT_EQ(code([&] { CArcTanh(ComplexOne, r); }), errSingularity);
  EXPECT_EQ(code([&] { CLnGamma(ComplexZero, r); }), errSingularity);
  EXPECT_EQ(code([&] { CLnGamma(Alg(-3, 0), r); }), errSingularity);
  EXPECT_EQ(code([&] { CLnGamma(ComplexOne, r); }), 0);
  EXPECT_LT(std::fabs(r.A) + std::fabs(r.B), 1e-16L);

  // Log-gamma far left uses the reflection, not 10^7 shifts, and stays conjugate-symmetric.
  TComplex lo, hi;
  EXPECT_EQ(code([&] { CLnGamma(Alg(-1e7L, 1), hi); }), 0);
  EXPECT_EQ(code([&] { CLnGamma(Alg(-1e7L, -1), lo); }), 0);
  EXPECT_EQ(hi.A, lo.A);
  EXPECT_EQ(hi.B, -lo.B);
  EXPECT_EQ(code([&] { CLnGamma(Alg(-1e4000L, 0.5L), r); }), 0);
  EXPECT_TRUE(std::isfinite(r.A) && std::isfinite(r.B));

  // arccosh takes the root with the non-negative real part, on both sides of the real axis.
  CArcCosh(Alg(2, 1), r);
  EXPECT_NEAR(static_cast<double>(r.A), 1.46935174436819, 1e-13);
  EXPECT_NEAR(static_cast<double>(r.B), 0.507356303217145, 1e-13);
  CArcCosh(Alg(2, -1), r);
  EXPECT_NEAR(static_cast<double>(r.B), -0.507356303217145, 1e-13);

  // A large imaginary part makes tan within rounding of ±i, without an overflow; tanh likewise.
  EXPECT_EQ(code([&] { CTan(Alg(1, 1e6L), r); }), 0);
  EXPECT_EQ(r.B, 1);
  EXPECT_EQ(code([&] { CTanh(Alg(-1e6L, 1), r); }), 0);
  EXPECT_EQ(r.A, -1);
  EXPECT_EQ(code([&] { CSinh(Alg(1e6L, 0), r); }), errOverflow);
  EXPECT_EQ(code([&] { CExp(Alg(1e6L, 0), r); }), errOverflow);
  EXPECT_EQ(code([&] { CExp(Alg(-1e6L, 0), r); }), errUnderflow);
}
