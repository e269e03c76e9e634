// A column: one command applied to each line of the input, converted by the
// core's functions directly, exactly as the dialog converts the same text
// typed into the command's input field.
#pragma once

#include "cli/convert/conversion.h"
#include "cli/options/cli_options.h"

#include <cstdint>
#include <string_view>

class Column {
public:
    // `conversion` is one of the value commands (not encode or inspect).
    explicit Column(Conversion conversion, const CliOptions& options = {});

    // The most Convert writes for a line.
    std::size_t MaxText() const;
    // Writes the result for `line` at `out`, which has room for MaxText()
    // bytes, and returns the end. `line` must be followed by a zero byte
    // where ReadsToZero().
    // The hex commands keep their byte store from line to line, as the
    // dialog does from click to click.
    char* Convert(std::string_view line, char* out);
    // Whether Convert reads its line up to a zero byte (a number, read as the
    // dialog reads one) rather than within its size (hex pairs).
    bool ReadsToZero() const
    {
        return m_conversion == Conversion::Psi || m_conversion == Conversion::Metres;
    }

private:
    char* ConvertWithOptions(std::string_view line, char* out);

    Conversion m_conversion;
    CliOptions m_options;
    bool m_dialogDefault;          // the dialog's own path, byte for byte
    std::size_t m_size;            // bytes in a value of the command's type
    std::uint8_t m_source[8] = {}; // the text byte behind each value byte
    std::uint8_t m_textBytes[8] = {};
    std::uint8_t m_valueBytes[8] = {};
};
