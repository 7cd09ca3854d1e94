#pragma once
// The engine's one random generator, shared by every part of the engine that draws numbers. It
// seeds itself from the clock on first use unless a seed was set (tests set one).
#include <cstdint>
#include <random>

#include "engine/engine_state.h"

std::mt19937_64& RandomGenerator();
void SetRandomSeed(std::uint64_t Seed);
// Uniform in [0, 1).
Extended RandomUniform();
// Normally distributed with the given mean and standard deviation.
Extended RandomGauss(Extended Mean, Extended StdDev);
