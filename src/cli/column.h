// A column: one command applied to each line of the input, converted by the
// core's functions directly, exactly as the dialog converts the same text
// typed into the command's input field.
#pragma once

#include "cli/cli_command.h"

#include <cstdint>
#include <string_view>

class Column {
public:
    explicit Column(Conversion conversion) : m_conversion(conversion) {}

    // Writes the result for `line` at `out`, which has room for
    // kFixed6MaxLength bytes, and returns the end. `line` must be followed by
    // a zero byte. The hex commands keep their byte store from line to line,
    // as the dialog does from click to click.
    char* Convert(std::string_view line, char* out);
private:
    Conversion m_conversion;
    std::uint8_t m_textBytes[8] = {};
    std::uint8_t m_valueBytes[8] = {};
};
