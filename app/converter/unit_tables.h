#pragma once
// The unit converter's tables and arithmetic: nine categories of units, the factors between
// every two units of a category, the accepted range of each unit, and the temperature scales.
// Categories and units are numbered from 1, as the converter's menu tags and field tags are.
#include <string_view>
#include <vector>

#include "engine/engine_state.h"

namespace UnitTables {

inline constexpr int CategoryCount = 9;
inline constexpr int MaxUnits = 20;

enum TCategory : int {
  catLength = 1,
  catTemperature = 2,
  catVolume = 3,
  catArea = 4,
  catTime = 5,
  catMass = 6,
  catForce = 7,
  catAcceleration = 8,
  catEnergy = 9,
};

// Units of the temperature category.
enum TTemperatureUnit : int {
  tuCelsius = 1,
  tuFarhenheit = 2,
  tuKelvin = 3,
  tuRankine = 4,
  tuReaumur = 5
};

// Menu caption of a category ("&Length"); empty outside 1..9.
std::string_view CategoryCaption(int Category);
// The categories in the order in which the menu lists them.
const std::vector<int>& MenuOrder();

// Number of units of a category; 0 outside 1..9.
int UnitCount(int Category);
// The unit's name (UTF-8); empty for a unit the category does not have.
std::string_view UnitName(int Category, int Unit);

// A value in unit From times this factor is the value in unit To: the ratio of the two unit
// sizes rounded to 10 significant digits (1 for From = To). NaN for temperature and for units
// the category does not have.
Extended Factor(int Category, int From, int To);

// The range accepted in a unit's field. Units a category does not have get 0..1E4000.
Extended LowLimit(int Category, int Unit);
Extended HighLimit(int Category, int Unit);

struct TConverted {
  int Unit;
  Extended Value;
};

// X in unit From converted to every other unit of the category, in the order in which the
// converter fills its fields. Empty for a category or unit that does not exist.
std::vector<TConverted> ConvertAll(int Category, int From, Extended X);

// Rounds to the given number of significant decimal digits (exactly, through decimal text).
Extended RoundSignificant(Extended X, int Digits);

}  // namespace UnitTables
