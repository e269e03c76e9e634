#include "core/ieee754.h"

#include <bit>

namespace {

// Reads the first sizeof(Bits) text bytes as a big-endian pattern and stores
// it in the value bytes little-endian first, which reverses them. Done by
// arithmetic, not by copying memory, so any host byte order gives the same.
template <class Bits>
Bits ReverseIntoValueBytes(std::span<const std::uint8_t, 8> textBytes,
                           std::span<std::uint8_t, 8> valueBytes)
{
    constexpr std::size_t size = sizeof(Bits);
    Bits bits = 0;
    for (std::size_t k = 0; k < size; ++k)
        bits = static_cast<Bits>(static_cast<Bits>(bits << 8) | textBytes[k]);
    for (std::size_t k = 0; k < size; ++k)
        valueBytes[k] = static_cast<std::uint8_t>(bits >> (8 * k));
    return bits;
}

} // namespace

double DecodeFloat(std::span<const std::uint8_t, 8> textBytes,
                   std::span<std::uint8_t, 8> valueBytes)
{
    return std::bit_cast<float>(ReverseIntoValueBytes<std::uint32_t>(textBytes, valueBytes));
}

double DecodeDouble(std::span<const std::uint8_t, 8> textBytes,
                    std::span<std::uint8_t, 8> valueBytes)
{
    return std::bit_cast<double>(ReverseIntoValueBytes<std::uint64_t>(textBytes, valueBytes));
}
