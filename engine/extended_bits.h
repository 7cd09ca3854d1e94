#pragma once
// Exact operations on the bits of the x87 extended format, for the elementary-function kernels.
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/engine_state.h"

static_assert(std::numeric_limits<Extended>::digits == 64, "the x87 extended format is assumed");

// Copies a value that is only moved, not computed, through the integer unit: the x87 store of a
// long double costs several times an ordinary one, and a plot moves some for every point.
inline void CopyExtended(Extended& To, const Extended& From) {
  std::memcpy(&To, &From, sizeof(Extended));
}

// The whole number nearest Y (|Y| below 2^62), as a value in Whole and as an integer. Adding
// 1.5 * 2^63 rounds Y to a whole number held in the low bits of the significand, without
// converting through the slow x87 integer store.
inline std::int64_t NearestWhole(Extended Y, Extended& Whole) {
  constexpr Extended shift = 0x1.8p63L;
  const Extended shifted = Y + shift;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &shifted, sizeof bits);
  Whole = shifted - shift;
  return static_cast<std::int64_t>(bits - 0xC000000000000000ULL);
}

// 2^M for an M with a normal result (-16382 < M < 16384), made from its bits.
inline Extended PowerOfTwo(int M) {
  Extended r = 1;
  const auto biased = static_cast<std::uint16_t>(16383 + M);
  std::memcpy(reinterpret_cast<unsigned char*>(&r) + 8, &biased, sizeof biased);
  return r;
}
