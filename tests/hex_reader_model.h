// An independent model of how the hex field is read, written from the rules
// alone: pairs start at hex digits before the last character, the second
// character of a pair is taken whatever it is, at most eight pairs, the text
// ends at its first zero byte. Tests and fuzzers compare the dialog with it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace model {

using Bytes = std::array<std::uint8_t, 8>;

inline int HexDigit(unsigned char c) // -1 for a non-digit
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The low half of a pair: a digit's value; for any other byte, its code if at
// most '9' or else its code plus 9 (wrapping at 256), keeping the low 4 bits.
inline int LowHalf(unsigned char c)
{
    if (HexDigit(c) >= 0)
        return HexDigit(c);
    return (c <= '9' ? c : (c + 9) % 256) % 16;
}

// Reads `text` over `bytes` (entries not read keep their value); returns the
// number of pairs read.
inline int ReadHex(std::string_view text, Bytes& bytes)
{
    text = text.substr(0, text.find('\0'));
    int count = 0;
    for (std::size_t j = 0; count < 8 && j + 1 < text.size();) {
        const int high = HexDigit(static_cast<unsigned char>(text[j]));
        if (high < 0) {
            ++j;
            continue;
        }
        bytes[static_cast<std::size_t>(count++)] =
            static_cast<std::uint8_t>(high * 16 + LowHalf(static_cast<unsigned char>(text[j + 1])));
        j += 2;
    }
    return count;
}

} // namespace model
