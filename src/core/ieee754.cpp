#include "core/ieee754.h"

#include <bit>

namespace {

// Reverses the first sizeof(Bits) text bytes into the value bytes, then reads
// those as a little-endian pattern. Read by arithmetic, not by copying memory,
// so the result is the same on a host of either byte order.
template <class Bits>
Bits ReverseIntoValueBytes(std::span<const std::uint8_t, 8> textBytes,
                           std::span<std::uint8_t, 8> valueBytes)
{
    constexpr std::size_t size = sizeof(Bits);
    for (std::size_t k = 0; k < size; ++k)
        valueBytes[k] = textBytes[size - 1 - k];
    Bits bits = 0;
    for (std::size_t k = size; k-- > 0;)
        bits = static_cast<Bits>(static_cast<Bits>(bits << 8) | valueBytes[k]);
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
