#include "cli/convert/read_target.h"

#include "cli/convert/inspect_rows.h"
#include "cli/convert/record_decoder.h"
#include "cli/convert/record_layout.h"
#include "cli/convert/value_decoder.h"
#include "cli/output/printable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

namespace {

// ADDRESS as a whole number, or nullopt.
std::optional<unsigned long> Whole(std::string_view text)
{
    unsigned long value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A reference as device manuals print it: the table in the first digit (0
// coils, 1 discrete inputs, 3 input registers, 4 holding registers), then
// the register or bit from 1, in four or five digits.
bool ReadReference(std::string_view text, RegisterTable& table, unsigned long& address)
{
    constexpr RegisterTable kTables[] = {RegisterTable::Coils, RegisterTable::Discrete,
                                         RegisterTable::Holding, RegisterTable::Input,
                                         RegisterTable::Holding};
    const auto value = Whole(text);
    if (!value || (text.size() != 5 && text.size() != 6) || text[0] < '0' || text[0] > '4' ||
        text[0] == '2')
        return false;
    const auto number = Whole(text.substr(1));
    if (!number || *number == 0 || *number > 65536)
        return false;
    table = text[0] == '3' ? RegisterTable::Input : kTables[text[0] - '0'];
    address = *number - 1;
    return true;
}

} // namespace

std::optional<ReadTarget> ReadTarget::Parse(std::span<const std::string_view> words,
                                            const CliOptions& options, std::string& error)
{
    const ReadOptions& read = options.read;
    const char* const table = read.coils      ? "--coils"
                              : read.discrete ? "--discrete"
                              : read.input    ? "--input"
                                              : nullptr;
    if (read.coils + read.discrete + read.input > 1) {
        error = "--coils, --discrete and --input each name a table; give one";
        return std::nullopt;
    }
    ReadTarget target;
    target.m_options = options;
    unsigned long address = 0;
    if (words.empty()) {
        error = "read takes DEVICE ADDRESS WHAT (see tarvel-cli read --help)";
        return std::nullopt;
    }
    if (read.reference) {
        if (table != nullptr) {
            error = "--reference and " + std::string(table) +
                    " contradict each other; the reference names the table";
            return std::nullopt;
        }
        if (!ReadReference(words[0], target.m_table, address)) {
            error = "'" + Printable(words[0]) +
                    "' is not a reference (4xxxx or 4xxxxx holding, 3xxxx or 3xxxxx input, "
                    "0xxxx or 0xxxxx coil, 1xxxx or 1xxxxx discrete input, from 1)";
            return std::nullopt;
        }
    } else {
        const auto plain = Whole(words[0]);
        if (!plain || *plain > 65535) {
            error = "ADDRESS '" + Printable(words[0]) + "' is not a register address, 0 to 65535";
            return std::nullopt;
        }
        address = *plain;
        target.m_table = read.coils      ? RegisterTable::Coils
                         : read.discrete ? RegisterTable::Discrete
                         : read.input    ? RegisterTable::Input
                                         : RegisterTable::Holding;
    }
    target.m_address = static_cast<std::uint16_t>(address);
    target.m_separator = options.delimiter.value_or(',');
    if (IsBitTable(target.m_table))
        return ParseBits(words.subspan(1), std::move(target), error);
    if (words.size() < 2) {
        error = "read takes DEVICE ADDRESS WHAT (see tarvel-cli read --help)";
        return std::nullopt;
    }
    const std::string_view what = words[1];
    const auto rest = words.subspan(2);
    std::size_t bytes = 0;
    if (what == "inspect") {
        const std::size_t count = read.count.value_or(4);
        if (count != 1 && count != 2 && count != 4) {
            error = "read inspect takes --count 1, 2 or 4 registers, not " + std::to_string(count);
            return std::nullopt;
        }
        target.m_inspect = true;
        bytes = 2 * count;
    } else {
        const bool record = what == "record";
        const auto types = FieldTypeNames();
        if (!record && std::find(types.begin(), types.end(), what) == types.end()) {
            error = "unknown WHAT '" + Printable(what) +
                    "' (a type: float double half bfloat16 int8 uint8 int16 uint16 int32 uint32 "
                    "int64 uint64; record LAYOUT; inspect)";
            return std::nullopt;
        }
        if (rest.size() != (record ? 1U : 0U)) {
            error = record ? "read ... record takes one LAYOUT"
                           : "'" + Printable(rest.front()) + "' after the type";
            return std::nullopt;
        }
        if (record && read.count) {
            error = "--count is for a TYPE or inspect, not a record";
            return std::nullopt;
        }
        auto layout = ParseRecordLayout(record ? rest.front() : what, options.order, error);
        if (!layout)
            return std::nullopt;
        target.m_units = read.count.value_or(1);
        // A record says where each byte stands; 8-bit values fill registers
        // high byte first, and a last low byte beyond them is not read.
        error = record ? OddRecordProblem(*layout, 1) : std::string();
        if (!error.empty())
            return std::nullopt;
        bytes = layout->size * target.m_units;
        if (!record)
            target.m_type = std::string(what);
        const FloatType floats[] = {FloatType::Float32, FloatType::Float64, FloatType::Half,
                                    FloatType::BFloat16};
        const std::string_view floatNames[] = {"float", "double", "half", "bfloat16"};
        const auto* floatName = std::find(std::begin(floatNames), std::end(floatNames), what);
        if (floatName != std::end(floatNames)) // the column commands' own decoding
            target.m_decoder = std::make_shared<ValueDecoder>(
                floats[floatName - std::begin(floatNames)], options, std::string(what));
        else
            target.m_decoder = std::make_shared<RecordDecoder>(std::move(*layout), options);
    }
    const char* misplaced = read.raw && options.json ? "--json"
                            : target.m_inspect       ? (options.header ? "--header" : nullptr)
                            : options.nearest        ? "--near"
                            : options.json && what != "record" ? "--json"
                                                               : nullptr;
    if (misplaced != nullptr) {
        error = std::string(misplaced) + " is not for read ... " + std::string(what);
        return std::nullopt;
    }
    const std::size_t registers = (bytes + 1) / 2;
    if (registers > 125 || address + registers > 65536) {
        error = std::to_string(registers) + " registers from address " + std::to_string(address) +
                (registers > 125 ? ": more than 125, the most one read returns"
                                 : ": past register 65535");
        return std::nullopt;
    }
    target.m_registers = static_cast<std::uint16_t>(registers);
    return target;
}

std::optional<ReadTarget> ReadTarget::ParseBits(std::span<const std::string_view> what,
                                                ReadTarget target, std::string& error)
{
    const CliOptions& options = target.m_options;
    const char* misplaced = !what.empty()      ? "WHAT"
                            : options.read.raw ? "--raw"
                            : options.json     ? "--json"
                            : options.nearest  ? "--near"
                            : options.format != ValueFormat::Fixed || options.digits != 6
                                ? "--format or --digits"
                                : nullptr;
    if (misplaced != nullptr) {
        error = std::string(misplaced) + " is not for coils or discrete inputs, which are bits";
        return std::nullopt;
    }
    const std::size_t count = options.read.count.value_or(1);
    if (target.m_address + count > 65536) {
        error = std::to_string(count) + " bits from address " + std::to_string(target.m_address) +
                ": past bit 65535";
        return std::nullopt;
    }
    target.m_registers = static_cast<std::uint16_t>(count);
    target.m_units = count;
    return target;
}

std::vector<std::string> ReadTarget::Names() const
{
    std::vector<std::string> names;
    const bool registers = m_options.read.raw || IsBitTable(m_table);
    if (registers || m_units > 1) { // a column for each, by its address or place
        std::string stem = m_table == RegisterTable::Coils      ? "coil"
                           : m_table == RegisterTable::Discrete ? "discrete"
                           : registers                          ? "register"
                                                                : m_type;
        if (!registers && std::isdigit(static_cast<unsigned char>(stem.back())) != 0)
            stem += '_'; // int16_1, not int161
        for (std::size_t k = 0; k < (registers ? m_registers : m_units); ++k)
            names.push_back(stem + std::to_string(registers ? m_address + k : k + 1));
        return names;
    }
    if (m_inspect)
        return {"registers"};
    return m_type.empty() ? m_decoder->Names() : std::vector<std::string>{m_type};
}

std::string ReadTarget::Render(std::span<const std::uint16_t> registers, std::string& error) const
{
    return RenderWith(registers, m_separator, error);
}

std::vector<std::string> ReadTarget::Items(std::span<const std::uint16_t> registers,
                                           std::string& error) const
{
    // A value's text never holds a line end, so it parts them unquoted.
    const std::string line = RenderWith(registers, '\n', error);
    std::vector<std::string> items;
    if (!error.empty())
        return items;
    for (std::size_t at = 0; at <= line.size();) {
        const std::size_t end = std::min(line.find('\n', at), line.size());
        items.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return items;
}

std::string ReadTarget::RenderWith(std::span<const std::uint16_t> registers, char separator,
                                   std::string& error) const
{
    std::string line;
    if (m_options.read.raw || IsBitTable(m_table)) {
        const bool hex = m_options.format == ValueFormat::Hex;
        char text[8];
        for (const std::uint16_t value : registers) {
            std::snprintf(text, sizeof text, hex ? "%04X" : "%u", unsigned{value});
            line += (line.empty() ? "" : std::string(1, separator)) + text;
        }
        return line;
    }
    std::vector<std::uint8_t> bytes;
    for (const std::uint16_t value : registers) {
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    if (m_inspect)
        return InspectBytes(bytes, m_options);
    ItemSink items(separator);
    const std::size_t size = m_decoder->Size();
    for (std::size_t k = 0; k < m_units; ++k)
        if (!m_decoder->Decode(std::span<const std::uint8_t>(bytes).subspan(k * size), items,
                               error))
            return {};
    return std::string(items.Line());
}
