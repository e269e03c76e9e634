// Reading a pressure text as a number.
#pragma once

// The C library's atof in the C locale, whatever the process locale: skips
// leading white space, reads an optional sign and the longest decimal (or
// hexadecimal, "inf", "nan") number that follows, and ignores the rest.
// A text that does not begin with a number gives 0; magnitudes beyond the
// double range give +-inf or a (signed) zero / subnormal. Reads `text` only up
// to its terminating zero. Never fails.
double ReadNumber(const char* text);
