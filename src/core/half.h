// The two 16-bit floating-point types: IEEE 754 binary16 and bfloat16.
#pragma once

#include <cstdint>

// The binary16 pattern `bits` as a double, exactly: subnormals down to 2^-24,
// 65504 the largest finite; infinities and NaNs keep their sign (NaNs their
// payload and quietness).
double DecodeHalf(std::uint16_t bits);

// The bfloat16 pattern `bits` (a binary32's upper half) as a double, exactly,
// as DecodeHalf does.
double DecodeBFloat16(std::uint16_t bits);

// `value` rounded once to binary16: nearest, ties to even; from 65520 up
// (65504 plus half its last place) infinity, up to 2^-25 (half the smallest
// subnormal) zero, both with the sign. A NaN stays a NaN, quiet, with its sign
// and the top of its payload. Never fails.
std::uint16_t EncodeHalf(double value);

// `value` rounded once to bfloat16, as EncodeHalf does; infinity from the
// largest finite (about 3.39e38) plus half its last place, zero up to 2^-134.
std::uint16_t EncodeBFloat16(double value);
