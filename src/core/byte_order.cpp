#include "core/byte_order.h"
#include "core/text_chars.h"

namespace {

bool IsValueSize(std::size_t size)
{
    return size == 2 || size == 4 || size == 8;
}

// Where the value's byte `index` (0 the most significant) stands in the text.
std::size_t TextPosition(std::size_t index, std::size_t size, ByteOrder order)
{
    switch (order) {
    case ByteOrder::ABCD:
        break;
    case ByteOrder::DCBA:
        return size - 1 - index;
    case ByteOrder::CDAB:
        return 2 * (size / 2 - 1 - index / 2) + index % 2;
    case ByteOrder::BADC:
        return index ^ 1u;
    }
    return index;
}

} // namespace

std::optional<ByteOrder> ParseByteOrder(std::string_view name)
{
    for (std::size_t k = 0; k < BYTE_ORDER_NAMES.size(); ++k)
        if (text_chars::EqualIgnoringCase(name, BYTE_ORDER_NAMES[k]))
            return static_cast<ByteOrder>(k % 4);
    return std::nullopt;
}

std::string_view ByteOrderName(ByteOrder order, std::size_t size)
{
    const bool swapped = order == ByteOrder::DCBA || order == ByteOrder::BADC;
    if (size == 2)
        return swapped ? "BA" : "AB";
    switch (order) {
    case ByteOrder::ABCD:
        break;
    case ByteOrder::DCBA:
        return size == 8 ? "HGFEDCBA" : "DCBA";
    case ByteOrder::CDAB:
        return size == 8 ? "GHEFCDAB" : "CDAB";
    case ByteOrder::BADC:
        return size == 8 ? "BADCFEHG" : "BADC";
    }
    return size == 8 ? "ABCDEFGH" : "ABCD";
}

std::uint64_t BitsFromBytes(std::span<const std::uint8_t> bytes, std::size_t size, ByteOrder order)
{
    if (!IsValueSize(size) || size > bytes.size())
        return 0;
    std::uint64_t bits = 0;
    for (std::size_t index = 0; index < size; ++index)
        bits = (bits << 8) | bytes[TextPosition(index, size, order)];
    return bits;
}

std::array<std::uint8_t, 8> BytesFromBits(std::uint64_t bits, std::size_t size, ByteOrder order)
{
    std::array<std::uint8_t, 8> bytes{};
    if (!IsValueSize(size))
        return bytes;
    for (std::size_t index = 0; index < size; ++index)
        bytes[TextPosition(index, size, order)] =
            static_cast<std::uint8_t>(bits >> (8 * (size - 1 - index)));
    return bytes;
}
