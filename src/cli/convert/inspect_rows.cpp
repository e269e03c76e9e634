#include "cli/convert/inspect_rows.h"

#include "core/byte_order.h"
#include "core/float_format.h"
#include "core/float_type.h"
#include "core/render.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

// One reading of the bytes: a type in an order. Its texts are written from
// these as the row goes out, with nothing held on the way.
struct Row {
    std::string_view type; // "int16", "float32"...
    std::string_view order;
    bool isFloat = false;
    bool isSigned = false;
    FloatType floatType = FloatType::Float64;
    std::uint64_t bits = 0;
    long long asSigned = 0;
    double value = 0;
};

// Every row a count of bytes gives: 16 for eight bytes at most (two orders
// of four 16-bit readings, four of three 32-bit, four of three 64-bit).
using Rows = std::array<Row, 32>;

char* Put(char* out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

char* WriteClass(const Row& row, char* out)
{
    const FloatFields fields = FieldsOf(row.floatType, row.bits);
    if (fields.exponent == 0)
        return Put(out, fields.fraction == 0 ? "zero" : "subnormal");
    if (fields.exponent != MaxExponent(row.floatType))
        return Put(out, "normal");
    if (fields.fraction == 0)
        return Put(out, "infinite");
    const std::uint64_t quiet = QuietBit(row.floatType);
    out = Put(out, (fields.fraction & quiet) != 0 ? "quiet NaN, payload 0x"
                                                   : "signalling NaN, payload 0x");
    return std::to_chars(out, out + 16, fields.fraction & ~quiet, 16).ptr;
}

void AddRows(std::span<const std::uint8_t> bytes, std::size_t size, FloatType floatType,
             Rows& rows, std::size_t& count)
{
    static constexpr std::string_view kInt[] = {"int16", "int32", "int64"};
    static constexpr std::string_view kUint[] = {"uint16", "uint32", "uint64"};
    static constexpr std::string_view kFloat[] = {"half", "float32", "float64"};
    const std::size_t kind = size == 2 ? 0 : size == 4 ? 1 : 2;
    const std::size_t width = 8 * size;
    for (const ByteOrder order :
         {ByteOrder::ABCD, ByteOrder::DCBA, ByteOrder::CDAB, ByteOrder::BADC}) {
        if (size == 2 && (order == ByteOrder::CDAB || order == ByteOrder::BADC))
            continue; // a single word has two orders
        const std::uint64_t bits = BitsFromBytes(bytes, size, order);
        const std::string_view name = ByteOrderName(order, size);
        const std::uint64_t signBit = std::uint64_t{1} << (width - 1);
        const auto asSigned = static_cast<long long>(
            (bits & signBit) != 0 && width < 64 ? bits - (signBit << 1) : bits);
        rows[count++] = {kInt[kind], name, false, true, floatType, bits, asSigned,
                         static_cast<double>(asSigned)};
        rows[count++] = {kUint[kind], name, false, false, floatType, bits, 0,
                         static_cast<double>(bits)};
        rows[count++] = {kFloat[kind], name, true, false, floatType, bits, 0,
                         DecodeBits(floatType, bits)};
        if (size == 2)
            rows[count++] = {"bfloat16", name, true, false, FloatType::BFloat16, bits, 0,
                             DecodeBits(FloatType::BFloat16, bits)};
    }
}

// How far `value` is from `target`: 0 when equal (an infinity from itself
// too), NaN for a NaN value.
// |value - target| exactly, as the pair high + low (Knuth's two-sum), for
// finite values; both halved first where the difference could overflow,
// which keeps every order but between values below 2^-1073.
std::pair<double, double> ExactDistance(double value, double target)
{
    if (std::fabs(value) >= 0x1p1022 || std::fabs(target) >= 0x1p1022) {
        value /= 2;
        target /= 2;
    }
    const double high = value - target;
    const double back = high - value;
    const double low = (value - (high - back)) + (-target - back);
    return high < 0 || (high == 0 && low < 0) ? std::pair(-high, -low) : std::pair(high, low);
}

// Whether `a` is nearer `target` than `b`, comparing exact distances: NaN is
// nearest to nothing; every finite value is infinitely far from an infinite
// target, so there the values nearest it come first (largest for inf).
bool Nearer(double a, double b, double target)
{
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    if (std::isinf(target))
        return target > 0 ? a > b : a < b;
    if (std::isinf(a) || std::isinf(b))
        return !std::isinf(a) && std::isinf(b);
    return ExactDistance(a, target) < ExactDistance(b, target);
}

// The fields of `row`, each as `field(name, writes its text)`.
template <class Field> void ForEachField(const Row& row, Field field)
{
    if (!row.isFloat) {
        field("value", [&](char* out) {
            return row.isSigned ? std::to_chars(out, out + 24, row.asSigned).ptr
                                : std::to_chars(out, out + 24, row.bits).ptr;
        });
        return;
    }
    field("fixed", [&](char* out) { return RenderFixed6(row.value, out); });
    field("shortest", [&](char* out) { return WriteShortest(row.floatType, row.bits, out); });
    field("exact", [&](char* out) { return WriteExact(row.value, out); });
    field("hex", [&](char* out) { return WriteHex(row.value, out); });
    field("class", [&](char* out) { return WriteClass(row, out); });
}

char* WriteHexBytes(std::span<const std::uint8_t> bytes, char* out)
{
    for (const std::uint8_t b : bytes) {
        *out++ = "0123456789ABCDEF"[b >> 4];
        *out++ = "0123456789ABCDEF"[b & 15];
    }
    return out;
}

// Every text here is ASCII without quotes, backslashes or controls: a JSON
// string is the text in quotes.
char* WriteJson(std::span<const Row> rows, std::span<const std::uint8_t> bytes,
                std::size_t nearest, char* out)
{
    out = WriteHexBytes(bytes, Put(out, "{\"bytes\": \""));
    out = Put(out, "\", \"values\": [");
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const Row& row = rows[k];
        out = Put(Put(Put(out, k == 0 ? "{\"type\": \"" : ", {\"type\": \""), row.type),
                  "\", \"order\": \"");
        out = Put(Put(out, row.order), "\"");
        ForEachField(row, [&](std::string_view name, auto text) {
            out = Put(Put(Put(out, ", \""), name), "\": \"");
            out = Put(text(out), "\"");
        });
        if (k == nearest)
            out = Put(out, ", \"nearest\": \"yes\"");
        *out++ = '}';
    }
    return Put(out, "]}\n");
}

char* WritePlain(std::span<const Row> rows, std::span<const std::uint8_t> bytes,
                 std::size_t nearest, char* out)
{
    out = WriteHexBytes(bytes, Put(out, "bytes "));
    *out++ = '\n';
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const Row& row = rows[k];
        char* const start = out;
        out = Put(out, row.type);
        out = std::fill_n(out, 10 - row.type.size(), ' ');
        out = Put(out, row.order);
        out = std::fill_n(out, std::max<std::ptrdiff_t>(20 - (out - start), 0), ' ');
        ForEachField(row, [&](std::string_view name, auto text) {
            if (name != "value" && name != "fixed")
                out = Put(Put(Put(out, "  "), name), " ");
            out = text(out);
        });
        if (k == nearest)
            out = Put(out, "  nearest yes");
        *out++ = '\n';
    }
    *out++ = '\n';
    return out;
}

} // namespace

char* WriteInspection(std::span<const std::uint8_t> bytes, const CliOptions& options, char* out)
{
    Rows rows;
    std::size_t count = 0;
    if (bytes.size() >= 2)
        AddRows(bytes, 2, FloatType::Half, rows, count);
    if (bytes.size() >= 4)
        AddRows(bytes, 4, FloatType::Float32, rows, count);
    if (bytes.size() == 8)
        AddRows(bytes, 8, FloatType::Float64, rows, count);
    const std::span<Row> used(rows.data(), count);
    std::size_t nearest = count; // none
    if (options.nearest) {
        const double target = *options.nearest;
        std::stable_sort(used.begin(), used.end(), [target](const Row& a, const Row& b) {
            return Nearer(a.value, b.value, target);
        });
        // Infinitely far is not near.
        if (!used.empty() && (used.front().value == target ||
                              (std::isfinite(target) && std::isfinite(used.front().value))))
            nearest = 0;
    }
    return options.json ? WriteJson(used, bytes, nearest, out)
                        : WritePlain(used, bytes, nearest, out);
}

std::string InspectBytes(std::span<const std::uint8_t> bytes, const CliOptions& options)
{
    std::string text(kMostInspection, '\0');
    text.resize(static_cast<std::size_t>(WriteInspection(bytes, options, text.data()) - text.data()));
    return text;
}
