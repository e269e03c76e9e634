// The decimal digits of a large binary integer, the part of a double at or
// above 2^64 that the fixed printer writes in full.
#pragma once

#include <cstddef>
#include <cstdint>

// The most `exponent` IntegerDigits takes: a double's largest.
inline constexpr int kMostIntegerExponent = 971;

// Writes the digits of significand * 2^exponent, the first nonzero, at `out`,
// which has room for 309 characters; returns the end. `significand` is below
// 2^53 and nonzero, `exponent` 0 to kMostIntegerExponent: every integer a
// double holds. Exact: no rounding, no sign, no point, never an exponent.
char* WriteIntegerDigits(std::uint64_t significand, int exponent, char* out);
