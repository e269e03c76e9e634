// Character classes the number readers share, as the C locale has them.
#pragma once

namespace text_chars {

// White space as isspace in the C locale: " \t\n\v\f\r".
constexpr bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of a decimal digit, or of a hex digit when `hex`; -1 otherwise.
constexpr int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace text_chars
