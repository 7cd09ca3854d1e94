#include "app/converter/unit_tables.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/number_text.h"

namespace UnitTables {

namespace {

struct TUnit {
  std::string_view Name;
  Extended Size;  // in the category's base unit; unused for temperature
};

struct TCategoryTable {
  std::string_view Caption;
  std::vector<TUnit> Units;
};

const std::array<TCategoryTable, CategoryCount>& Tables() {
  static const std::array<TCategoryTable, CategoryCount> Table = {{
      {"&Length",  // metres
       {{"A°", 1E-10L},
        {"Astron.unit", 1.496E11L},
        {"Chain", 20.1168L},
        {"CM", 0.01L},
        {"Fathom", 1.8288L},
        {"Fermi", 1E-15L},
        {"Foot", 0.3048L},
        {"Furlong", 201.168L},
        {"Inch", 0.0254L},
        {"KM", 1000},
        {"League", 4828.032L},
        {"Light year", 9.460528405E15L},
        {"Meter", 1},
        {"Mil", 2.54E-5L},
        {"Mile", 1609.344L},
        {"MM", 0.001L},
        {"µM", 1E-6L},
        {"Nautical Mile", 1853.24496L},
        {"Parsec", 3.085729264E16L},
        {"Yard", 0.9144L}}},
      {"&Temperature",
       {{"Celsius", 0}, {"Farhenheit", 0}, {"Kelvin", 0}, {"Rankine", 0}, {"Réaumur", 0}}},
      {"&Volume",  // litres
       {{"Barrel", 119.2404712L},
        {"Barrel (oil)", 158.9872949L},
        {"CM³", 0.001L},
        {"Deciliter", 0.1L},
        {"Dekaliter", 10},
        {"Foot³", 28.31684659L},
        {"Gallon", 3.785411784L},
        {"Galon (GB)", 4.546099294L},
        {"Hectoliter", 100},
        {"Inch³", 0.016387064L},
        {"Liter", 1},
        {"Meter³", 1000},
        {"Milliliter", 0.001L},
        {"Ounce (oz.)", 0.02957352956L},
        {"Ounce (GB)", 0.02841312059L},
        {"Pint", 0.473176473L},
        {"Pint (GB)", 0.5682624117L},
        {"Quart", 0.946352946L},
        {"Quart (GB)", 1.136524823L},
        {"Yard³", 764.554858L}}},
      {"&Area",  // square metres
       {{"Arce", 4046.856422L},     {"Are", 100},           {"CM²", 0.0001L},
        {"Chain²", 404.6856422L},   {"Decimeter²", 0.01L},  {"Dekameter²", 100},
        {"Foot²", 0.09290304L},     {"Hectare", 10000},     {"Hectometre²", 10000},
        {"Inch²", 0.00064516L},     {"Kilometer²", 1E6L},   {"Meter²", 1},
        {"Micrometer²", 1E-12L},    {"Mile", 2589988.11L},  {"Millimeter²", 1E-6L},
        {"Nanometer²", 1E-18L},     {"Rod²", 25.29285264L}, {"Rood", 1011.714106L},
        {"Township", 93239571.97L}, {"Yard²", 0.83612736L}}},
      {"T&ime",  // seconds
       {{"Attosecond", 1E-18L},
        {"Century", 3153600000.0L},
        {"Day", 86400},
        {"Decade", 315360000},
        {"Femtosecond", 1E-15L},
        {"Fortnight", 1209600},
        {"Hour", 3600},
        {"Leap year", 31622400},
        {"Microsecond", 1E-6L},
        {"Millenium", 3.1536E10L},
        {"Millisecond", 0.001L},
        {"Minute", 60},
        {"Month", 2592000},
        {"Nanosecond", 1E-9L},
        {"Picosecond", 1E-12L},
        {"Second", 1},
        {"Week", 604800},
        {"Year", 31536000}}},
      {"&Mass",  // kilograms
       {{"Carat", 0.0002L},
        {"Dalton", 1.66053E-27L},
        {"Dyne", 1.019716213E-6L},
        {"Grain", 6.479891E-5L},
        {"Gram", 0.001L},
        {"Kilogram", 1},
        {"Kip", 453.59237L},
        {"Microgram", 1E-9L},
        {"Ounce", 0.02834952313L},
        {"Pennyweight", 0.00155517384L},
        {"Pound", 0.45359237L},
        {"Poundal", 0.01408671957L},
        {"Quarter", 11.33980925L},
        {"Quarter (GB)", 12.70058636L},
        {"Slug", 14.59390294L},
        {"Ton", 907.18474L},
        {"Ton (long)", 1016.046909L},
        {"Ton (metric)", 1000},
        {"Troy ounce", 0.031103475L},
        {"Troy Pound", 0.3732417L}}},
      {"&Force",  // newtons
       {{"Dyne", 1E-5L},
        {"Gram force", 0.00980665L},
        {"Joule/CM", 0.01L},
        {"Joule/Meter", 1},
        {"Kilogram force", 9.80665L},
        {"Kilonewton", 1000},
        {"Kip force", 4448.221615L},
        {"Millinewton", 0.001L},
        {"Newton", 1},
        {"Ounce force", 0.278013851L},
        {"Pound force", 4.448221615L},
        {"Poundal", 0.1382549544L}}},
      {"A&cceleration",  // metres per second squared
       {{"cm/sec²", 0.01L},
        {"Foot/sec²", 0.3048L},
        {"g", 9.80665L},
        {"gal", 0.01L},
        {"Inch/sec²", 0.0254L},
        {"m/sec²", 1},
        {"Mile/sec²", 1609.344L},
        {"Yard/sec²", 0.9144L},
        {"km/sec²", 1000}}},
      {"&Energy",  // joules
       {{"Calorie", 4.1868L},
        {"Calorie(chem.)", 4.184L},
        {"Dyne*cm (erg)", 1E-7L},
        {"Electron volt", 1.6021E-19L},
        {"Foot*pound", 1.355817948L},
        {"Gram force*cm", 9.80665E-5L},
        {"Horsepower*hour", 2684519.537L},
        {"Inch*ounce", 0.007061551814L},
        {"Inch*pound", 0.112984829L},
        {"Joul(newton*m)", 1},
        {"Kilowatt*hour", 3600000},
        {"Poundal*foot", 0.04214011L},
        {"Term", 105505600},
        {"Ton", 4184000000.0L}}},
  }};
  return Table;
}

bool HasUnit(int Category, int Unit) { return Unit >= 1 && Unit <= UnitCount(Category); }

const TUnit& UnitOf(int Category, int Unit) {
  return Tables()[static_cast<std::size_t>(Category - 1)].Units[static_cast<std::size_t>(Unit - 1)];
}

using TFactorTable =
    std::array<std::array<std::array<Extended, MaxUnits>, MaxUnits>, CategoryCount>;

const TFactorTable& Factors() {
  static const TFactorTable Table = [] {
    TFactorTable T{};
    for (int c = 1; c <= CategoryCount; ++c)
      for (int s = 1; s <= MaxUnits; ++s)
        for (int t = 1; t <= MaxUnits; ++t) {
          Extended& F = T[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(s - 1)]
                         [static_cast<std::size_t>(t - 1)];
          if (c == catTemperature || !HasUnit(c, s) || !HasUnit(c, t))
            F = NAN;
          else if (s == t)
            F = 1;
          else
            F = RoundSignificant(UnitOf(c, s).Size / UnitOf(c, t).Size, 10);
        }
    return T;
  }();
  return Table;
}

constexpr Extended Limit = 1E4000L;

// Temperature scales through Celsius.
Extended CToF(Extended C) { return (C + 40) * 1.8L - 40; }
Extended CToK(Extended C) { return C + 273.15L; }
Extended CToR(Extended C) { return (C + 273.15L) * 1.8L; }
Extended CToRe(Extended C) { return C * 0.8L; }

}  // namespace

Extended RoundSignificant(Extended X, int Digits) {
  if (!std::isfinite(X) || X == 0 || Digits < 1) return X;
  char Buf[64];
  auto [End, Ec] =
      std::to_chars(Buf, Buf + sizeof Buf, X, std::chars_format::scientific, Digits - 1);
  if (Ec != std::errc()) return X;
  Extended Result = X;
  TryTextToFloat(std::string_view(Buf, size_t(End - Buf)), Result);
  return Result;
}

std::string_view CategoryCaption(int Category) {
  if (Category < 1 || Category > CategoryCount) return {};
  return Tables()[static_cast<std::size_t>(Category - 1)].Caption;
}

const std::vector<int>& MenuOrder() {
  static const std::vector<int> Order = {catAcceleration, catArea, catForce,  catLength, catMass,
                                         catTemperature,  catTime, catVolume, catEnergy};
  return Order;
}

int UnitCount(int Category) {
  if (Category < 1 || Category > CategoryCount) return 0;
  return static_cast<int>(Tables()[static_cast<std::size_t>(Category - 1)].Units.size());
}

std::string_view UnitName(int Category, int Unit) {
  return HasUnit(Category, Unit) ? UnitOf(Category, Unit).Name : std::string_view();
}

Extended Factor(int Category, int From, int To) {
  if (Category < 1 || Category > CategoryCount || From < 1 || From > MaxUnits || To < 1 ||
      To > MaxUnits)
    return NAN;
  return Factors()[static_cast<std::size_t>(Category - 1)][static_cast<std::size_t>(From - 1)]
                  [static_cast<std::size_t>(To - 1)];
}

Extended LowLimit(int Category, int Unit) {
  if (!HasUnit(Category, Unit)) return 0;
  if (Category == catLength) return -Limit;
  if (Category != catTemperature) return 0;
  // The absolute zero of each scale, just below it where it would otherwise refuse 0 itself.
  switch (Unit) {
    case tuCelsius:
      return -273.15L;
    case tuFarhenheit:
      return -459.670000001L;
    case tuReaumur:
      return -218.52L;
    default:
      return -1E-4000L;
  }
}

Extended HighLimit(int /*Category*/, int /*Unit*/) { return Limit; }

std::vector<TConverted> ConvertAll(int Category, int From, Extended X) {
  std::vector<TConverted> Result;
  if (!HasUnit(Category, From)) return Result;
  if (Category != catTemperature) {
    for (int t = 1; t <= UnitCount(Category); ++t)
      if (t != From) Result.push_back({t, X * Factor(Category, From, t)});
    return Result;
  }
  switch (From) {
    case tuCelsius:
      Result = {{tuFarhenheit, CToF(X)},
                {tuKelvin, CToK(X)},
                {tuRankine, CToR(X)},
                {tuReaumur, CToRe(X)}};
      break;
    case tuFarhenheit: {
      const Extended C = (X + 40) * 5 / 9 - 40;
      Result = {{tuCelsius, C}, {tuKelvin, CToK(C)}, {tuRankine, CToR(C)}, {tuReaumur, CToRe(C)}};
      break;
    }
    case tuKelvin: {
      const Extended C = X - 273.15L;
      Result = {
          {tuCelsius, C}, {tuFarhenheit, CToF(C)}, {tuReaumur, CToRe(C)}, {tuRankine, X * 1.8L}};
      break;
    }
    case tuRankine: {
      const Extended C = X * 5 / 9 - 273.15L;
      Result = {
          {tuCelsius, C}, {tuFarhenheit, CToF(C)}, {tuReaumur, CToRe(C)}, {tuKelvin, X * 5 / 9}};
      break;
    }
    case tuReaumur: {
      const Extended C = X / 0.8L;
      Result = {{tuCelsius, C}, {tuFarhenheit, CToF(C)}, {tuKelvin, CToK(C)}, {tuRankine, CToR(C)}};
      break;
    }
  }
  return Result;
}

}  // namespace UnitTables
