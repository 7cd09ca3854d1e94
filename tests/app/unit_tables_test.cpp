#include "app/converter/unit_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

using namespace UnitTables;

namespace {

int UnitNamed(int Category, std::string_view Name) {
  for (int u = 1; u <= UnitCount(Category); ++u)
    if (UnitName(Category, u) == Name) return u;
  ADD_FAILURE() << "no unit " << Name;
  return 0;
}

Extended F(int Category, std::string_view From, std::string_view To) {
  return Factor(Category, UnitNamed(Category, From), UnitNamed(Category, To));
}

std::map<int, Extended> Converted(int Category, int From, Extended X) {
  std::map<int, Extended> Result;
  for (const auto& C : ConvertAll(Category, From, X)) Result[C.Unit] = C.Value;
  return Result;
}

}  // namespace

TEST(UnitTables, CategoriesAndTheirUnits) {
  const int Counts[] = {20, 5, 20, 20, 18, 20, 12, 9, 14};
  for (int c = 1; c <= CategoryCount; ++c) {
    EXPECT_EQ(UnitCount(c), Counts[c - 1]) << c;
    for (int u = 1; u <= UnitCount(c); ++u) EXPECT_FALSE(UnitName(c, u).empty());
    EXPECT_TRUE(UnitName(c, UnitCount(c) + 1).empty());
  }
  EXPECT_EQ(UnitCount(10), 0);
  EXPECT_EQ(CategoryCaption(catTime), "T&ime");
  EXPECT_EQ(MenuOrder(), (std::vector<int>{8, 4, 7, 1, 6, 2, 5, 3, 9}));
  // Names outside ASCII are kept as UTF-8 for the labels.
  EXPECT_EQ(UnitName(catLength, 1), "A°");
  EXPECT_EQ(UnitName(catLength, 17), "µM");
  EXPECT_EQ(UnitName(catTemperature, tuReaumur), "Réaumur");
  EXPECT_EQ(UnitName(catVolume, 3), "CM³");
}

TEST(UnitTables, FactorsOfKnownUnits) {
  EXPECT_EQ(F(catLength, "KM", "Meter"), 1000);
  EXPECT_EQ(F(catLength, "KM", "Mile"), 0.6213711922L);
  EXPECT_EQ(F(catLength, "KM", "Nautical Mile"), 0.539594075L);
  EXPECT_EQ(F(catLength, "Foot", "Inch"), 12);
  EXPECT_EQ(F(catLength, "Mile", "Foot"), 5280);
  EXPECT_EQ(F(catLength, "Light year", "KM"), 9460528405000.0L);
  EXPECT_EQ(F(catVolume, "Gallon", "Liter"), 3.785411784L);
  EXPECT_EQ(F(catVolume, "Meter³", "CM³"), 1e6L);
  EXPECT_EQ(F(catArea, "Arce", "Foot²"), 43560);
  EXPECT_EQ(F(catArea, "Hectare", "Are"), 100);
  EXPECT_EQ(F(catTime, "Day", "Hour"), 24);
  EXPECT_EQ(F(catTime, "Century", "Year"), 100);
  EXPECT_EQ(F(catMass, "Pound", "Ounce"), 16.00000000L);
  EXPECT_EQ(F(catMass, "Ton", "Pound"), 2000);
  EXPECT_EQ(F(catForce, "Kilogram force", "Newton"), 9.80665L);
  EXPECT_EQ(F(catForce, "Pound force", "Poundal"), 32.17404855L);
  EXPECT_EQ(F(catAcceleration, "g", "Foot/sec²"), 32.17404856L);
  EXPECT_EQ(F(catEnergy, "Kilowatt*hour", "Joul(newton*m)"), 3600000);
  EXPECT_EQ(F(catEnergy, "Calorie", "Calorie(chem.)"), 1.000669216L);

  for (int c = 1; c <= CategoryCount; ++c) {
    if (c == catTemperature) continue;
    for (int s = 1; s <= UnitCount(c); ++s)
      for (int t = 1; t <= UnitCount(c); ++t) {
        const Extended Fst = Factor(c, s, t);
        ASSERT_TRUE(std::isfinite(Fst) && Fst > 0) << c << " " << s << " " << t;
        EXPECT_EQ(RoundSignificant(Fst, 10), Fst);  // stored to 10 significant digits
        EXPECT_NEAR(Fst * Factor(c, t, s), 1, 1e-9L) << c << " " << s << " " << t;
      }
  }
  EXPECT_TRUE(std::isnan(Factor(catTemperature, 1, 2)));
  EXPECT_TRUE(std::isnan(Factor(catAcceleration, 1, 10)));
  EXPECT_TRUE(std::isnan(Factor(0, 1, 1)));
}

TEST(UnitTables, ConvertingFillsEveryOtherUnitAndComesBack) {
  auto FromKm = Converted(catLength, UnitNamed(catLength, "KM"), 1);
  EXPECT_EQ(FromKm.size(), 19u);
  EXPECT_EQ(FromKm.count(UnitNamed(catLength, "KM")), 0u);
  EXPECT_EQ(FromKm[UnitNamed(catLength, "Meter")], 1000);
  EXPECT_EQ(FromKm[UnitNamed(catLength, "Mile")], 0.6213711922L);

  // Negative lengths are fine; every category round-trips through its first unit.
  EXPECT_EQ(Converted(catLength, UnitNamed(catLength, "Foot"), -300)[UnitNamed(catLength, "Inch")],
            -3600);
  for (int c = 1; c <= CategoryCount; ++c) {
    if (c == catTemperature) continue;
    for (const auto& [Unit, Value] : Converted(c, 1, 1.2345L))
      EXPECT_NEAR(Value * Factor(c, Unit, 1) / 1.2345L, 1, 1e-9L) << c << " " << Unit;
  }
  EXPECT_TRUE(ConvertAll(10, 1, 1).empty());
  EXPECT_TRUE(ConvertAll(catForce, 13, 1).empty());
}

TEST(UnitTables, TemperatureScales) {
  auto FromC = ConvertAll(catTemperature, tuCelsius, 100);
  ASSERT_EQ(FromC.size(), 4u);
  EXPECT_EQ(FromC[0].Unit, tuFarhenheit);
  EXPECT_NEAR(FromC[0].Value, 212, 1e-15L);
  EXPECT_NEAR(FromC[1].Value, 373.15L, 1e-15L);
  EXPECT_NEAR(FromC[2].Value, 671.67L, 1e-15L);
  EXPECT_NEAR(FromC[3].Value, 80, 1e-15L);

  auto FromK = ConvertAll(catTemperature, tuKelvin, 0);
  ASSERT_EQ(FromK.size(), 4u);
  const int KelvinOrder[] = {tuCelsius, tuFarhenheit, tuReaumur, tuRankine};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FromK[i].Unit, KelvinOrder[i]);
  EXPECT_NEAR(FromK[0].Value, -273.15L, 1e-15L);
  EXPECT_NEAR(FromK[1].Value, -459.67L, 1e-13L);
  EXPECT_NEAR(FromK[2].Value, -218.52L, 1e-13L);
  EXPECT_EQ(FromK[3].Value, 0);

  auto FromF = Converted(catTemperature, tuFarhenheit, 32);
  EXPECT_NEAR(FromF[tuCelsius], 0, 1e-15L);
  EXPECT_NEAR(FromF[tuKelvin], 273.15L, 1e-15L);
  EXPECT_NEAR(Converted(catTemperature, tuFarhenheit, -40)[tuCelsius], -40, 1e-15L);
  EXPECT_NEAR(Converted(catTemperature, tuRankine, 671.67L)[tuKelvin], 373.15L, 1e-13L);
  EXPECT_NEAR(Converted(catTemperature, tuReaumur, 80)[tuCelsius], 100, 1e-15L);

  // Every scale comes back to itself through every other.
  for (int s = tuCelsius; s <= tuReaumur; ++s)
    for (const auto& [Unit, Value] : Converted(catTemperature, s, 36.6L))
      EXPECT_NEAR(Converted(catTemperature, Unit, Value)[s], 36.6L, 1e-13L) << s << " via " << Unit;
}

TEST(UnitTables, RangesOfTheFields) {
  EXPECT_EQ(LowLimit(catLength, 5), -1E4000L);
  EXPECT_EQ(LowLimit(catEnergy, 14), 0);
  EXPECT_EQ(HighLimit(catVolume, 1), 1E4000L);
  EXPECT_LT(-300, LowLimit(catTemperature, tuCelsius));
  // Absolute zero converted from any scale lies inside every other scale's range, and 0 is
  // accepted on the absolute scales.
  for (int s = tuCelsius; s <= tuReaumur; ++s) {
    const Extended Zero =
        s == tuCelsius ? -273.15L : Converted(catTemperature, tuCelsius, -273.15L)[s];
    for (const auto& [Unit, Value] : Converted(catTemperature, s, Zero))
      EXPECT_GE(Value, LowLimit(catTemperature, Unit) - 1e-12L) << s << " to " << Unit;
  }
  EXPECT_LT(LowLimit(catTemperature, tuKelvin), 0);
  EXPECT_LT(LowLimit(catTemperature, tuRankine), 0);
}
