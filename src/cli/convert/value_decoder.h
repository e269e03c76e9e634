// One floating-point value of a type, in an order, written in a format.
#pragma once

#include "cli/input/bytes_decoder.h"
#include "cli/options/cli_options.h"
#include "core/float_type.h"

#include <cstdint>
#include <string>

class ValueDecoder : public BytesDecoder {
public:
    // `name` heads the column ("float").
    ValueDecoder(FloatType type, const CliOptions& options, std::string name);

    std::size_t Size() const override;
    // The value of the bytes in the options' order, in their format (at six
    // decimals exactly what the column commands write).
    bool Decode(std::span<const std::uint8_t> bytes, ItemSink& items,
                std::string& error) const override;
    std::size_t MostText() const override;
    char* WriteText(std::span<const std::uint8_t> bytes, char* out) const override;
    std::vector<std::string> Names() const override { return {m_name}; }

private:
    FloatType m_type;
    CliOptions m_options;
    std::string m_name;
    std::uint8_t m_source[8] = {}; // the byte behind each of the value's, most significant first
};
