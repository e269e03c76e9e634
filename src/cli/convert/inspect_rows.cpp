#include "cli/convert/inspect_rows.h"

#include "cli/output/json_text.h"
#include "core/byte_order.h"
#include "core/float_format.h"
#include "core/float_type.h"
#include "core/render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// One reading of the bytes: a type in an order, and its texts.
struct Row {
    std::string type;
    std::string order;
    std::vector<std::pair<std::string, std::string>> fields; // name, text
    double value = 0;
};

std::string ClassOf(FloatType type, std::uint64_t bits)
{
    const FloatFields fields = FieldsOf(type, bits);
    if (fields.exponent == 0)
        return fields.fraction == 0 ? "zero" : "subnormal";
    if (fields.exponent != MaxExponent(type))
        return "normal";
    if (fields.fraction == 0)
        return "infinite";
    const bool quiet = (fields.fraction & QuietBit(type)) != 0;
    char payload[24];
    std::snprintf(payload, sizeof payload, "0x%llx",
                  static_cast<unsigned long long>(fields.fraction & ~QuietBit(type)));
    return std::string(quiet ? "quiet" : "signalling") + " NaN, payload " + payload;
}

void AddRows(const std::vector<std::uint8_t>& bytes, std::size_t size, const char* intName,
             FloatType floatType, const char* floatName, std::vector<Row>& rows)
{
    const std::size_t width = 8 * size;
    for (const ByteOrder order :
         {ByteOrder::ABCD, ByteOrder::DCBA, ByteOrder::CDAB, ByteOrder::BADC}) {
        if (size == 2 && (order == ByteOrder::CDAB || order == ByteOrder::BADC))
            continue; // a single word has two orders
        const std::uint64_t bits = BitsFromBytes(bytes, size, order);
        const std::string name(ByteOrderName(order, size));
        const std::uint64_t signBit = std::uint64_t{1} << (width - 1);
        const auto asSigned = static_cast<long long>(
            (bits & signBit) != 0 && width < 64 ? bits - (signBit << 1) : bits);
        rows.push_back({std::string("int") + intName,
                        name,
                        {{"value", std::to_string(asSigned)}},
                        static_cast<double>(asSigned)});
        rows.push_back({std::string("uint") + intName,
                        name,
                        {{"value", std::to_string(bits)}},
                        static_cast<double>(bits)});
        const auto addFloat = [&](FloatType type, const char* typeName) {
            const double value = DecodeBits(type, bits);
            char fixed[kFixed6MaxLength];
            rows.push_back({typeName,
                            name,
                            {{"fixed", std::string(fixed, RenderFixed6(value, fixed))},
                             {"shortest", FormatShortest(type, bits)},
                             {"exact", FormatExact(value)},
                             {"hex", FormatHex(value)},
                             {"class", ClassOf(type, bits)}},
                            value});
        };
        addFloat(floatType, floatName);
        if (size == 2)
            addFloat(FloatType::BFloat16, "bfloat16");
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

} // namespace

std::string InspectBytes(const std::vector<std::uint8_t>& bytes, const CliOptions& options)
{
    std::vector<Row> rows;
    if (bytes.size() >= 2)
        AddRows(bytes, 2, "16", FloatType::Half, "half", rows);
    if (bytes.size() >= 4)
        AddRows(bytes, 4, "32", FloatType::Float32, "float32", rows);
    if (bytes.size() == 8)
        AddRows(bytes, 8, "64", FloatType::Float64, "float64", rows);
    if (options.nearest) {
        const double target = *options.nearest;
        std::stable_sort(rows.begin(), rows.end(), [target](const Row& a, const Row& b) {
            return Nearer(a.value, b.value, target);
        });
        // Infinitely far is not near.
        if (!rows.empty() && (rows.front().value == target ||
                              (std::isfinite(target) && std::isfinite(rows.front().value))))
            rows.front().fields.emplace_back("nearest", "yes");
    }
    std::string hex;
    for (const std::uint8_t b : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", unsigned{b});
        hex += pair;
    }
    std::string out;
    if (options.json) {
        out = "{\"bytes\": " + Json(hex) + ", \"values\": [";
        for (const Row& row : rows) {
            out += std::string(&row == rows.data() ? "" : ", ") + "{\"type\": " + Json(row.type) +
                   ", \"order\": " + Json(row.order);
            for (const auto& [name, value] : row.fields)
                out += ", " + Json(name) + ": " + Json(value);
            out += "}";
        }
        return out + "]}\n";
    }
    out = "bytes " + hex + "\n";
    for (const Row& row : rows) {
        std::string line = row.type + std::string(10 - row.type.size(), ' ') + row.order;
        line.resize(20, ' ');
        for (const auto& [name, value] : row.fields) {
            if (name != "value" && name != "fixed")
                line.append("  ").append(name).append(" ");
            line += value;
        }
        out += line + "\n";
    }
    return out + "\n";
}
