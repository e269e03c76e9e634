#include "cli/convert/record_layout.h"

#include "cli/options/cli_options.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"
#include "core/text_chars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

constexpr std::string_view kTypeNames[] = {"int8",  "uint8",    "int16", "uint16",
                                           "int32", "uint32",   "int64", "uint64",
                                           "half",  "bfloat16", "float", "double"};
constexpr std::size_t kSizes[] = {1, 1, 2, 2, 4, 4, 8, 8, 2, 2, 4, 8};

// Whether a number's text writes zero: no digit of its significand but 0.
bool WritesZero(std::string_view text)
{
    const bool hex = text.find_first_of("xX") != std::string_view::npos;
    const std::size_t exponent = text.find_first_of(hex ? "pP" : "eE");
    const std::string_view significand = text.substr(0, exponent);
    const std::string_view digits = hex ? "123456789abcdefABCDEF" : "123456789";
    const std::size_t from = hex ? significand.find_first_of("xX") + 1 : 0;
    return significand.find_first_of(digits, from) == std::string_view::npos;
}

// "TEXT" as a finite number that keeps its meaning, or nullopt with `why`:
// not a number, beyond the largest double, or rounded to zero from a value
// that is not.
std::optional<double> ScaleNumber(std::string_view text, std::string& why)
{
    const auto value = ReadStrictNumber(text);
    why = !value                             ? "is not a number"
          : !std::isfinite(*value)           ? "is not a finite number"
          : *value == 0 && !WritesZero(text) ? "rounds to zero"
                                             : "";
    return why.empty() ? value : std::nullopt;
}

// Where a FACTOR ends: at a '+' or '-' that is neither its first character
// nor an exponent's sign.
std::size_t FactorEnd(std::string_view text)
{
    for (std::size_t k = 1; k < text.size(); ++k)
        if ((text[k] == '+' || text[k] == '-') &&
            std::string_view("eEpP").find(text[k - 1]) == std::string_view::npos)
            return k;
    return text.size();
}

bool ParseField(std::string_view part, ByteOrder order, RecordField& field, std::string& error)
{
    const auto bad = [&](const std::string& why) {
        error = "record field '" + Printable(part) + "': " + why;
        return false;
    };
    std::string_view rest = part;
    if (const auto equals = rest.find('='); equals != std::string_view::npos) {
        field.name = std::string(rest.substr(0, equals));
        if (field.name.empty())
            return bad("empty name");
        rest.remove_prefix(equals + 1);
    }
    const std::size_t typeEnd = std::min(rest.find_first_of(":*+-"), rest.size());
    const std::string_view typeName = rest.substr(0, typeEnd);
    const auto* found = std::find(std::begin(kTypeNames), std::end(kTypeNames), typeName);
    if (found == std::end(kTypeNames))
        return bad("unknown type '" + Printable(typeName) +
                   "' (int8 uint8 int16 uint16 int32 uint32 int64 uint64 half bfloat16 float "
                   "double)");
    const auto index = static_cast<std::size_t>(found - std::begin(kTypeNames));
    field.type = static_cast<FieldType>(index);
    rest.remove_prefix(typeEnd);
    field.order = order;
    if (rest.starts_with(':')) {
        std::size_t end = std::min(rest.find_first_of("*+-", 1), rest.size());
        for (const std::string_view name : BYTE_ORDER_NAMES) // "word-swap" holds a '-'
            if (name.find('-') != std::string_view::npos &&
                text_chars::EqualIgnoringCase(rest.substr(1, name.size()), name))
                end = name.size() + 1;
        // Every name --order takes, meaning the same for any size.
        const std::string_view orderName = rest.substr(1, end - 1);
        const auto parsed = ParseByteOrder(orderName);
        if (!parsed)
            return bad("unknown byte order '" + Printable(orderName) + "'");
        field.order = *parsed;
        rest.remove_prefix(end);
    }
    if (rest.starts_with('*')) {
        const std::size_t end = FactorEnd(rest.substr(1)) + 1;
        std::string why;
        field.factor = ScaleNumber(rest.substr(1, end - 1), why);
        if (!field.factor)
            return bad("FACTOR '" + Printable(rest.substr(1, end - 1)) + "' " + why);
        rest.remove_prefix(end);
    }
    if (rest.starts_with('+') || rest.starts_with('-')) {
        // "+OFFSET" or "-OFFSET"; the sign is the offset's own.
        std::string why;
        field.offset = ScaleNumber(rest.substr(rest.starts_with('+') ? 1 : 0), why);
        if (!field.offset)
            return bad("OFFSET '" + Printable(rest) + "' " + why);
        rest = {};
    }
    if (!rest.empty())
        return bad("'" + Printable(rest) + "' after the type");
    return true;
}

} // namespace

std::vector<std::string_view> FieldTypeNames()
{
    return {std::begin(kTypeNames), std::end(kTypeNames)};
}

std::size_t FieldSize(FieldType type)
{
    return kSizes[static_cast<std::size_t>(type)];
}

std::optional<RecordLayout> ParseRecordLayout(std::string_view layout, ByteOrder order,
                                              std::string& error)
{
    RecordLayout record;
    std::size_t skip = 0;
    for (std::size_t start = 0; start <= layout.size();) {
        const std::size_t end = std::min(layout.find(',', start), layout.size());
        const std::string_view part = layout.substr(start, end - start);
        start = end + 1;
        if (record.ignoresRest) {
            error = "record: '...' must end LAYOUT";
            return std::nullopt;
        }
        if (part == "...") {
            record.ignoresRest = true;
            continue;
        }
        if (part.starts_with("skip:")) {
            const std::string_view count = part.substr(5);
            std::size_t n = 0;
            const auto [stop, problem] =
                std::from_chars(count.data(), count.data() + count.size(), n);
            if (problem != std::errc() || stop != count.data() + count.size() || n == 0 ||
                n > 65536) {
                error = "record field '" + Printable(part) + "': skip takes 1 to 65536 bytes";
                return std::nullopt;
            }
            skip += n;
            record.size += n;
            continue;
        }
        if (part.empty()) {
            error = "record: empty field in LAYOUT '" + Printable(layout) + "'";
            return std::nullopt;
        }
        RecordField field;
        if (!ParseField(part, order, field, error))
            return std::nullopt;
        field.skipBefore = std::exchange(skip, 0);
        record.size += FieldSize(field.type);
        record.fields.push_back(std::move(field));
    }
    if (record.size > 65536) {
        error = "record: LAYOUT '" + Printable(layout) + "' takes more than 65536 bytes";
        return std::nullopt;
    }
    if (record.fields.empty()) {
        error = "record: LAYOUT '" + Printable(layout) + "' has no field";
        return std::nullopt;
    }
    for (std::size_t k = 0; k < record.fields.size(); ++k)
        if (record.fields[k].name.empty())
            record.fields[k].name = "f" + std::to_string(k + 1);
    for (std::size_t k = 0; k < record.fields.size(); ++k)
        for (std::size_t j = 0; j < k; ++j)
            if (record.fields[k].name == record.fields[j].name) {
                error = "record: duplicate field name '" + Printable(record.fields[k].name) + "'";
                return std::nullopt;
            }
    return record;
}

std::string OddRecordProblem(const RecordLayout& layout, std::size_t units)
{
    const std::size_t size = layout.size * units;
    if (size % 2 == 0 || layout.ignoresRest)
        return {};
    return "the record takes " + std::to_string(size) + (size == 1 ? " byte" : " bytes") +
           ", but registers hold two each: say where the other byte of the last register "
           "stands (skip:1 before or after its field, as 'skip:1,uint8' reads a register's "
           "low byte, or \"...\" last)";
}
