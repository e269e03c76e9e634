#include "cli/value_decoder.h"

#include "cli/value_text.h"
#include "core/byte_order.h"
#include "core/render.h"

#include <algorithm>
#include <utility>

ValueDecoder::ValueDecoder(FloatType type, const CliOptions& options, std::string name)
    : m_type(type), m_options(options), m_name(std::move(name))
{
}

std::size_t ValueDecoder::Size() const
{
    return ByteSizeOf(m_type);
}

void ValueDecoder::Decode(std::span<const std::uint8_t> bytes, ItemSink& items) const
{
    const std::uint64_t bits = BitsFromBytes(bytes, Size(), m_options.order);
    if (m_options.format == ValueFormat::Fixed && m_options.digits == 6) { // no text on the way
        char* const out = items.Begin(kFixed6MaxLength);
        items.End(RenderFixed6(DecodeBits(m_type, bits), out));
        return;
    }
    items.Add(ValueText(m_type, bits, m_options));
}
