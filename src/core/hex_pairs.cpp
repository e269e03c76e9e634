#include "core/hex_pairs.h"

std::uint8_t HexDigitValue(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x39)
        return static_cast<std::uint8_t>(c & 0x0F);
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(c + 9) & 0x0F);
}

bool IsHexDigit(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int ReadHexPairs(std::string_view text, std::span<std::uint8_t, 8> bytes)
{
    // A pair may only start where another character follows it, tested as
    // "neither this nor the next byte ends the text", which cannot wrap for
    // an empty text and never reads past the end.
    int count = 0;
    for (std::size_t j = 0;
         count < 8 && j + 1 < text.size() && text[j] != '\0' && text[j + 1] != '\0';) {
        if (IsHexDigit(text[j])) {
            bytes[static_cast<std::size_t>(count++)] =
                static_cast<std::uint8_t>(16 * HexDigitValue(text[j]) + HexDigitValue(text[j + 1]));
            j += 2;
        } else {
            ++j;
        }
    }
    return count;
}
