#include "cli/convert/column.h"

#include "cli/output/value_text.h"
#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "core/render.h"

#include <algorithm>
#include <bit>

Column::Column(Conversion conversion, const CliOptions& options)
    : m_conversion(conversion), m_options(options),
      m_dialogDefault(IsDialogPath(conversion, options)),
      m_size(ByteSizeOf(ValueTypeOf(conversion)))
{
    // Where each byte of the value, most significant first, stands in the
    // text: the order applied once to the positions themselves.
    const std::uint8_t positions[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    const std::uint64_t source = BitsFromBytes(positions, m_size, options.order);
    for (std::size_t k = 0; k < m_size; ++k)
        m_source[k] = static_cast<std::uint8_t>(source >> (8 * (m_size - 1 - k)));
}

std::size_t Column::MaxText() const
{
    return m_dialogDefault ? kFixed6MaxLength : kMaxValueText;
}

char* Column::Convert(std::string_view line, char* out)
{
    if (!m_dialogDefault)
        return ConvertWithOptions(line, out);
    switch (m_conversion) {
    case Conversion::Float:
        ReadHexPairs(line, m_textBytes);
        return RenderFloat6(static_cast<float>(DecodeFloat(m_textBytes, m_valueBytes)), out);
    case Conversion::Double:
        ReadHexPairs(line, m_textBytes);
        return RenderFixed6(DecodeDouble(m_textBytes, m_valueBytes), out);
    case Conversion::Psi:
        return RenderFixed6(KpaToPsi(ReadNumber(line.data())), out);
    case Conversion::Metres:
        return RenderFixed6(KpaToMetres(ReadNumber(line.data())), out);
    default:
        return out;
    }
}

char* Column::ConvertWithOptions(std::string_view line, char* out)
{
    const FloatType type = ValueTypeOf(m_conversion);
    if (m_options.format == ValueFormat::Fixed &&
        (m_conversion == Conversion::Psi || m_conversion == Conversion::Metres)) {
        const double number = ReadNumber(line.data());
        return RenderFixed(m_conversion == Conversion::Psi ? KpaToPsi(number) : KpaToMetres(number),
                           m_options.digits, out);
    }
    if (m_options.format == ValueFormat::Fixed) {
        // Another order, a 16-bit type or other decimals: no text on the
        // way, so such a column is as fast as a plain one.
        ReadHexPairs(line, m_textBytes);
        std::uint64_t bits = 0;
        if (m_size == 4) // the common case, unrolled
            bits = std::uint64_t{m_textBytes[m_source[0]]} << 24 |
                   std::uint64_t{m_textBytes[m_source[1]]} << 16 |
                   std::uint64_t{m_textBytes[m_source[2]]} << 8 | m_textBytes[m_source[3]];
        else
            for (std::size_t k = 0; k < m_size; ++k)
                bits = bits << 8 | m_textBytes[m_source[k]];
        const double value = type == FloatType::Float32
                                 ? std::bit_cast<float>(static_cast<std::uint32_t>(bits))
                             : type == FloatType::Float64 ? std::bit_cast<double>(bits)
                                                          : DecodeBits(type, bits);
        return RenderFixed(value, m_options.digits, out);
    }
    std::string text;
    if (m_conversion == Conversion::Psi) {
        text = ValueText(KpaToPsi(ReadNumber(line.data())), m_options);
    } else if (m_conversion == Conversion::Metres) {
        text = ValueText(KpaToMetres(ReadNumber(line.data())), m_options);
    } else {
        ReadHexPairs(line, m_textBytes);
        text = ValueText(type, BitsFromBytes(m_textBytes, ByteSizeOf(type), m_options.order),
                         m_options);
    }
    return std::copy(text.begin(), text.end(), out);
}
