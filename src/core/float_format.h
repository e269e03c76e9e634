// Writing floating-point values as text, four ways. None consults the locale;
// infinities and NaNs are "inf", "-inf", "nan" and "-nan" (by the sign bit,
// quiet or signalling alike) in all of them.
#pragma once

#include "core/float_type.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The pattern in the low bytes of `bits` as `type` with the fewest significant
// digits that read back (rounded once, to nearest) to the same pattern; of
// those, the nearest to the value. Laid out as std::to_chars lays out a value
// without format: plain or with an exponent ("1e+20", "1.5e-07"), whichever is
// shorter, plain when they tie. Float32 and Float64 are std::to_chars's own
// text, which writes a plain integer with all its exact digits; Half and
// BFloat16 keep to the fewest ("4110" for 4112, which reads back). Zero is "0"
// or "-0".
std::string FormatShortest(FloatType type, std::uint64_t bits);
// FormatShortest's text written at `out`, which has room for
// kMaxShortestLength characters; returns its end.
inline constexpr std::size_t kMaxShortestLength = 64;
char* WriteShortest(FloatType type, std::uint64_t bits, char* out);

// The exact decimal value of `value`, every digit (up to 767 significant ones
// for a subnormal), plain: no exponent, no trailing zeros after the point and
// no point for an integer; "-0" for negative zero.
std::string FormatExact(double value);
// FormatExact's text written at `out`, which has room for kMaxExactLength
// characters ('-', "0." and 1074 places); returns its end.
inline constexpr std::size_t kMaxExactLength = 1080;
char* WriteExact(double value, char* out);

// `value` as glibc's printf "%a" writes a double: "0x1.921fb6p+1", "0x1p+0",
// "0x0p+0", "-0x0p+0", subnormals as "0x0.<13 hex digits less trailing
// zeros>p-1022". Lower-case digits, no trailing zero digits.
std::string FormatHex(double value);
// FormatHex's text written at `out`, which has room for kMaxHexLength
// characters; returns its end.
inline constexpr std::size_t kMaxHexLength = 32;
char* WriteHex(double value, char* out);

// `value` in plain notation with `decimals` digits after the point (none and
// no point for 0), rounded to nearest, ties to even, on the exact binary
// value, as printf's "%.*f" does; negative values, -0 included, keep their
// '-'. `decimals` is clamped to 0..60.
std::string FormatFixed(double value, int decimals);
