// Reading a pressure text as a number.
#pragma once

// The C library's atof in the C locale, computed by our own path so that
// neither the process locale nor the platform's C runtime decides anything.
// Skips leading white space (" \t\n\v\f\r"), takes an optional sign and the
// longest number that follows: decimal with optional point and exponent,
// hexadecimal ("0x1.8p1"), "inf", "infinity", "nan", "nan(...)", any case;
// ignores the rest. A text that does not begin with a number gives +0.
// Correctly rounded; beyond the double range, +-inf or a zero of the number's
// sign. Reads `text` only up to its terminating zero. Never fails.
double ReadNumber(const char* text);
