// Writing a value as the C library's "%f" writes it.
#pragma once

#include <cstddef>

// The longest text RenderFixed6 writes: '-', 309 integer digits, '.', six
// decimals.
inline constexpr std::size_t kFixed6MaxLength = 317;

// Writes `value` at `out`, which has room for kFixed6MaxLength characters,
// exactly as "%f" does in the C locale: fixed point, six decimals, rounded
// half to even on the exact binary value, '-' for every negative value
// including -0, "inf" and "nan" with their sign. No terminating zero; returns
// the end of what was written. Never consults the locale.
char* RenderFixed6(double value, char* out);
