#include "cli/convert/record_decoder.h"

#include "cli/output/json_text.h"
#include "cli/output/value_text.h"
#include "core/float_type.h"
#include "core/render.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

struct FieldValue {
    bool integer;       // written as an integer
    long long asSigned; // for a signed integer type
    unsigned long long asUnsigned;
    bool isSigned;
    double value;        // otherwise
    FloatType floatType; // for an unscaled float: its own precision
    std::uint64_t bits;
    bool scaled;
};

bool IsFloat(FieldType type)
{
    return type >= FieldType::Half;
}

FloatType FloatTypeOf(FieldType type)
{
    return type == FieldType::Half       ? FloatType::Half
           : type == FieldType::BFloat16 ? FloatType::BFloat16
           : type == FieldType::Float    ? FloatType::Float32
                                         : FloatType::Float64;
}

FieldValue ValueOf(const RecordField& field, std::span<const std::uint8_t> bytes)
{
    const std::size_t size = FieldSize(field.type);
    const std::uint64_t bits = size == 1 ? bytes[0] : BitsFromBytes(bytes, size, field.order);
    FieldValue v{};
    v.bits = bits;
    v.scaled = field.factor || field.offset;
    if (IsFloat(field.type)) {
        v.floatType = FloatTypeOf(field.type);
        v.value = DecodeBits(v.floatType, bits);
    } else {
        const unsigned width = 8 * static_cast<unsigned>(size);
        const std::uint64_t sign = std::uint64_t{1} << (width - 1);
        v.isSigned = (static_cast<int>(field.type) % 2) == 0;
        v.asUnsigned = bits;
        v.asSigned = static_cast<long long>(
            v.isSigned && (bits & sign) != 0 && width < 64 ? bits - (sign << 1) : bits);
        v.value = v.isSigned ? static_cast<double>(v.asSigned) : static_cast<double>(v.asUnsigned);
        v.integer = !v.scaled;
        v.floatType = FloatType::Float64;
    }
    if (field.factor)
        v.value *= *field.factor;
    if (field.offset)
        v.value += *field.offset;
    return v;
}

// An integer, or a value at fixed notation, written at `out` (room for
// ItemSink::kMostText bytes).
char* WriteFieldText(const FieldValue& v, const CliOptions& options, char* out)
{
    constexpr std::size_t kRoom = ItemSink::kMostText;
    if (v.integer)
        return v.isSigned ? std::to_chars(out, out + kRoom, v.asSigned).ptr
                          : std::to_chars(out, out + kRoom, v.asUnsigned).ptr;
    if (!v.scaled && v.floatType == FloatType::Float32 && options.digits == 6)
        return RenderFloat6(static_cast<float>(v.value), out); // exact: the float widened
    return RenderFixed(v.value, options.digits, out);
}

std::string Text(const FieldValue& v, const CliOptions& options)
{
    if (v.integer) {
        char digits[24];
        const auto end = v.isSigned
                             ? std::to_chars(digits, digits + sizeof digits, v.asSigned).ptr
                             : std::to_chars(digits, digits + sizeof digits, v.asUnsigned).ptr;
        return std::string(digits, end);
    }
    if (!v.scaled) // its own precision, for shortest
        return ValueText(v.floatType, v.bits, options);
    return ValueText(v.value, options);
}

} // namespace

RecordDecoder::RecordDecoder(RecordLayout layout, const CliOptions& options)
    : m_layout(std::move(layout)), m_options(options)
{
}

bool RecordDecoder::Decode(std::span<const std::uint8_t> bytes, ItemSink& items,
                           std::string& error) const
{
    std::string json;
    std::size_t at = 0;
    for (const RecordField& field : m_layout.fields) {
        at += field.skipBefore;
        const FieldValue value = ValueOf(field, bytes.subspan(at));
        at += FieldSize(field.type);
        if (value.scaled && !std::isfinite(value.value)) {
            error = "field " + field.name + ": the scaled value is not finite";
            return false;
        }
        if (!m_options.json && (value.integer || m_options.format == ValueFormat::Fixed)) {
            items.End(WriteFieldText(value, m_options, items.Begin())); // no string on the way
            continue;
        }
        const std::string text = Text(value, m_options);
        if (!m_options.json) {
            items.Add(text);
            continue;
        }
        json += (json.empty() ? "{" : ", ") + Json(field.name) + ": " +
                (value.integer ? text : Json(text));
    }
    if (m_options.json)
        items.AddRaw(json + "}");
    return true;
}

std::vector<std::string> RecordDecoder::Names() const
{
    std::vector<std::string> names;
    for (const RecordField& field : m_layout.fields)
        names.push_back(field.name);
    return names;
}
