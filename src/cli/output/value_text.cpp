#include "cli/output/value_text.h"

#include "core/float_format.h"
#include "core/render.h"

#include <bit>

std::string ValueText(FloatType type, std::uint64_t bits, const ValueStyle& style)
{
    const double value = DecodeBits(type, bits);
    switch (style.format) {
    case ValueFormat::Fixed:
        return FormatFixed(value, style.digits);
    case ValueFormat::Shortest:
        return FormatShortest(type, bits);
    case ValueFormat::Exact:
        return FormatExact(value);
    case ValueFormat::Hex:
        return FormatHex(value);
    }
    return std::string();
}

std::string ValueText(double value, const ValueStyle& style)
{
    return ValueText(FloatType::Float64, std::bit_cast<std::uint64_t>(value), style);
}
