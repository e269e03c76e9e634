#include "cli/convert/value_decoder.h"

#include "cli/output/value_text.h"
#include "core/byte_order.h"
#include "core/render.h"

#include <algorithm>
#include <bit>
#include <utility>

ValueDecoder::ValueDecoder(FloatType type, const CliOptions& options, std::string name)
    : m_type(type), m_options(options), m_name(std::move(name))
{
    // The order applied once to the positions themselves, so that each value
    // takes its bytes without working out the order again.
    const std::uint8_t positions[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    const std::size_t size = Size();
    const std::uint64_t source = BitsFromBytes(positions, size, options.order);
    for (std::size_t k = 0; k < size; ++k)
        m_source[k] = static_cast<std::uint8_t>(source >> (8 * (size - 1 - k)));
}

std::size_t ValueDecoder::Size() const
{
    return ByteSizeOf(m_type);
}

bool ValueDecoder::Decode(std::span<const std::uint8_t> bytes, ItemSink& items,
                          std::string& /*error*/) const
{
    static_assert(kMaxValueText <= ItemSink::kMostText);
    items.End(WriteText(bytes, items.Begin()));
    return true;
}

std::size_t ValueDecoder::MostText() const
{
    return kMaxValueText;
}

char* ValueDecoder::WriteText(std::span<const std::uint8_t> bytes, char* out) const
{
    std::uint64_t bits = 0;
    if (m_type == FloatType::Float32) // the common case, unrolled
        bits = std::uint64_t{bytes[m_source[0]]} << 24 | std::uint64_t{bytes[m_source[1]]} << 16 |
               std::uint64_t{bytes[m_source[2]]} << 8 | bytes[m_source[3]];
    else
        for (std::size_t k = 0; k < Size(); ++k)
            bits = bits << 8 | bytes[m_source[k]];
    if (m_options.format == ValueFormat::Fixed) { // no text on the way
        if (m_type == FloatType::Float32 && m_options.digits == 6)
            return RenderFloat6(std::bit_cast<float>(static_cast<std::uint32_t>(bits)), out);
        const double value = m_type == FloatType::Float32
                                 ? std::bit_cast<float>(static_cast<std::uint32_t>(bits))
                             : m_type == FloatType::Float64 ? std::bit_cast<double>(bits)
                                                            : DecodeBits(m_type, bits);
        return RenderFixed(value, m_options.digits, out);
    }
    const std::string text = ValueText(m_type, bits, m_options);
    return std::copy(text.begin(), text.end(), out);
}
