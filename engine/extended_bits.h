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

// The whole number nearest Y (|Y| below 2^62), as a value in Whole and as an integer. The
// integer comes from the x87 integer store, which rounds to nearest as the processor is set; a
// long double store read back as an integer would cost several times as much. Adding 1.5 * 2^63
// rounds Y the same way to a whole number without leaving the registers.
inline std::int64_t NearestWhole(Extended Y, Extended& Whole) {
  constexpr Extended shift = 0x1.8p63L;
  std::int64_t n = 0;
  asm("fistpll %0" : "=m"(n) : "t"(Y) : "st");
  Whole = (Y + shift) - shift;
  return n;
}

// 2^M for an M with a normal result (-16382 < M < 16384). Within the range of a double it is
// made as a double, whose load the processor forwards from the store of its bits; a long double
// put together from two stores waits for both to reach the cache.
inline Extended PowerOfTwo(int M) {
  if (M > -1023 && M < 1024) {
    const std::uint64_t bits = static_cast<std::uint64_t>(M + 1023) << 52;
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  Extended r = 1;
  const auto biased = static_cast<std::uint16_t>(16383 + M);
  std::memcpy(reinterpret_cast<unsigned char*>(&r) + 8, &biased, sizeof biased);
  return r;
}
