#pragma once
// Exact operations on the bits of the x87 extended format, for the elementary-function kernels.
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/engine_state.h"

static_assert(std::numeric_limits<Extended>::digits == 64, "the x87 extended format is assumed");

// Whether X is finite, without the long double constant the library's test loads (a slow load
// at every point of a plot): X - X is 0 for a finite X and NaN otherwise.
inline bool IsFinite(Extended X) { return X - X == 0; }

// Copies a value that is only moved, not computed, through the integer unit: the x87 store of a
// long double costs several times an ordinary one, and a plot moves some for every point.
inline void CopyExtended(Extended& To, const Extended& From) {
  std::memcpy(&To, &From, sizeof(Extended));
}

// Sets To to D exactly, through the integer unit and one 16-byte store: the x87 store of a
// long double is slow, and a later copy of the value (the log of letters read does one at every
// point of a plot) can take it from a store of its full width at once, where it would wait for
// the x87 store to reach the cache.
inline void SetFromDouble(Extended& To, double D) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &D, sizeof bits);
  const auto sign = static_cast<std::uint64_t>(bits >> 63) << 15;
  const auto e = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  std::uint64_t exponent = 0;
  if (e == 0x7FF) {
    exponent = 0x7FFF;
    m = (std::uint64_t{1} << 63) | (m << 11);
  } else if (e != 0) {
    exponent = static_cast<std::uint64_t>(e + 16383 - 1023);
    m = (std::uint64_t{1} << 63) | (m << 11);
  } else if (m != 0) {
    // A subnormal double is a normal long double.
    const int shift = __builtin_clzll(m);
    exponent = static_cast<std::uint64_t>(16383 + 63 - 1074 - shift);
    m <<= shift;
  }
  using TWords = std::uint64_t __attribute__((vector_size(16)));
  const TWords words = {m, sign | exponent};
  std::memcpy(&To, &words, sizeof words);
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
