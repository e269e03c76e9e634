// Rounding a binary value to one of the floating-point types, once.
#pragma once

#include "core/float_type.h"

#include <cstdint>

// The pattern of `type` nearest to +-significand * 2^exponent (the sign from
// `negative`), in the low bits of the result. Rounds to nearest, ties to even;
// a magnitude at or beyond the largest finite value plus half its last place
// gives infinity, one at or below half the smallest subnormal gives zero, both
// with the sign. `beyond` is the sign of (true magnitude - significand *
// 2^exponent) for a true magnitude that the significand only approximates
// (within its last place): it decides a value that lies exactly halfway
// between two patterns and nothing else, so 0 means the value is exact. A zero
// significand gives a signed zero. Never fails.
std::uint64_t RoundBinary(FloatType type, bool negative, std::uint64_t significand, int exponent,
                          int beyond);

// `value` rounded to `type` as RoundBinary does (`beyond` likewise). Infinities
// stay infinite; a NaN stays a NaN with its sign and the top of its payload,
// made quiet. For Float64 only a NaN can change (it is made quiet).
std::uint64_t RoundDouble(FloatType type, double value, int beyond);
