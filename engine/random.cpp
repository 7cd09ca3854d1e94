#include "engine/random.h"

#include <chrono>
#include <cmath>

namespace {
std::mt19937_64 Generator;
bool Seeded = false;
}  // namespace

std::mt19937_64& RandomGenerator() {
  if (!Seeded) {
    Generator.seed(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    Seeded = true;
  }
  return Generator;
}

void SetRandomSeed(std::uint64_t Seed) {
  Generator.seed(Seed);
  Seeded = true;
}

Extended RandomUniform() {
  // 64 random bits scaled by 2^-64: every value is below 1, whatever the rounding.
  const Extended r = static_cast<Extended>(RandomGenerator()()) * 0x1p-64L;
  return r < 1 ? r : std::nextafter(1.0L, 0.0L);
}

Extended RandomGauss(Extended Mean, Extended StdDev) {
  // Box-Muller; u1 is kept away from 0 so that its logarithm is finite.
  Extended u1 = RandomUniform();
  const Extended u2 = RandomUniform();
  if (u1 <= 0) u1 = 0x1p-64L;
  const Extended r = std::sqrt(-2 * std::log(u1));
  return Mean + StdDev * r * std::cos(2 * 3.14159265358979323846264338327950288L * u2);
}
