// Character classes the core's readers share, as the C locale has them.
#pragma once

#include <algorithm>
#include <string_view>

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

// Whether `c` is a decimal digit, in any locale.
constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// ASCII letters in lower case; every other byte as it is.
constexpr char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `a` and `b` are the same text but for the case of ASCII letters.
constexpr bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

} // namespace text_chars
