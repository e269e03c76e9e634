#include "core/hex_pairs.h"

#include <array>

namespace {

constexpr std::uint8_t DigitValue(unsigned char c)
{
    if (c <= 0x39)
        return static_cast<std::uint8_t>(c & 0x0F);
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(c + 9) & 0x0F);
}

constexpr bool IsDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Both answers for every byte, looked up rather than computed: the reader
// runs once per line of a column, millions of times.
template <class F> constexpr std::array<std::uint8_t, 256> Table(F f)
{
    std::array<std::uint8_t, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = static_cast<std::uint8_t>(f(static_cast<unsigned char>(c)));
    return table;
}

constexpr auto kValue = Table(DigitValue);
constexpr auto kIsDigit = Table(IsDigit);

} // namespace

std::uint8_t HexDigitValue(char ch)
{
    return kValue[static_cast<unsigned char>(ch)];
}

bool IsHexDigit(char ch)
{
    return kIsDigit[static_cast<unsigned char>(ch)] != 0;
}

int ReadHexPairs(std::string_view text, std::span<std::uint8_t, 8> bytes)
{
    // A pair may only start where another character follows it.
    if (text.size() < 2)
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const last = p + text.size() - 1;
    int count = 0;
    while (count < 8 && p < last) {
        if (kIsDigit[p[0]] != 0) {
            bytes[static_cast<std::size_t>(count++)] =
                static_cast<std::uint8_t>(kValue[p[0]] << 4 | kValue[p[1]]);
            p += 2;
        } else {
            ++p;
        }
    }
    return count;
}
