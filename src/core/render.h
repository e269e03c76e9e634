// Writing a value as the C library's "%f" and "%.Nf" write it.
#pragma once

#include <cstddef>

// The most decimals RenderFixed writes.
inline constexpr int kMaxFixedDecimals = 60;

// The longest text RenderFixed writes: '-', 309 integer digits, '.', and the
// most decimals.
inline constexpr std::size_t kFixedMaxLength = 1 + 309 + 1 + kMaxFixedDecimals;

// Writes `value` at `out`, which has room for kFixedMaxLength characters,
// exactly as "%.*f" with `decimals` (clamped to 0..60) does in the C locale:
// fixed point, rounded half to even on the exact binary value, no point when
// `decimals` is 0, '-' for every negative value including -0 and those that
// round to zero, "inf" and "nan" with their sign. No terminating zero;
// returns the end of what was written. Integer arithmetic where the value
// allows (every float32 up to 27 decimals, every double below 2^128 and
// every integer up to 19), the standard library's exact conversion
// otherwise. Never consults the locale. May write past the text's end,
// within that room.
char* RenderFixed(double value, int decimals, char* out);

// "%f": RenderFixed with six decimals, the dialog's.
inline constexpr std::size_t kFixed6MaxLength = 317;
inline char* RenderFixed6(double value, char* out)
{
    return RenderFixed(value, 6, out);
}

// RenderFixed6 for a float32 value, the columns' common case, in fewer
// steps: the same text for every value (inf and nan too), never longer.
// May write up to 40 bytes past the text's end, within the kFixed6MaxLength
// room `out` has.
char* RenderFloat6(float value, char* out);
