// What `read` asks of a device and how it writes what comes back: the
// register range from ADDRESS, and WHAT (a TYPE, "record LAYOUT" or
// "inspect") as a decoder of the registers' bytes.
#pragma once

#include "cli/input/bytes_decoder.h"
#include "cli/options/cli_options.h"
#include "device/register_source.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class ReadTarget {
public:
    // From the words after DEVICE: ADDRESS and WHAT. Nullopt with `error`
    // naming the word for a bad ADDRESS or reference (never guessed: 40011
    // is a plain address unless --reference says otherwise), an unknown
    // TYPE, a bad LAYOUT, a count inspect cannot take, or a range past
    // register 65535 or beyond 125 registers.
    static std::optional<ReadTarget> Parse(std::span<const std::string_view> words,
                                           const CliOptions& options, std::string& error);

    RegisterTable Table() const { return m_table; }
    std::uint16_t Address() const { return m_address; }
    std::uint16_t Count() const { return m_registers; }
    // The names of what a line holds, for a header: a record's fields, or a
    // column for each value ("float1", "float2"...), register or bit
    // ("register100", "coil100"...).
    std::vector<std::string> Names() const;
    // The text for `registers` (Count() of them, or bits): the registers in
    // decimal (--format hex: four hex digits) with --raw, or the bits, apart
    // by the delimiter (a comma by default); the values or the record's
    // fields apart by the delimiter, or its JSON object; inspect's rows.
    // Empty, with `error` set, for a record with no right answer.
    std::string Render(std::span<const std::uint16_t> registers, std::string& error) const;
    // The same values or fields one text each, unquoted (for a row that
    // joins several targets' values, or a JSON object of its own). Not for
    // inspect, nor with --json. Empty, with `error` set, as Render.
    std::vector<std::string> Items(std::span<const std::uint16_t> registers,
                                   std::string& error) const;
    // Whether WHAT is inspect, whose rows take several lines.
    bool IsInspect() const { return m_inspect; }

private:
    std::string RenderWith(std::span<const std::uint16_t> registers, char separator,
                           std::string& error) const;
    // Coils or discrete inputs: no WHAT, --count bits.
    static std::optional<ReadTarget> ParseBits(std::span<const std::string_view> what,
                                               ReadTarget target, std::string& error);

    RegisterTable m_table = RegisterTable::Holding;
    std::uint16_t m_address = 0;
    std::uint16_t m_registers = 0;
    std::size_t m_units = 1; // values of the decoder to write
    bool m_inspect = false;
    char m_separator = ',';
    std::string m_type; // a TYPE's name, for a header; empty for a record
    std::shared_ptr<const BytesDecoder> m_decoder;
    CliOptions m_options;
};
