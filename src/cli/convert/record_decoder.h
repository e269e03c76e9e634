// A record's bytes decoded field by field as its LAYOUT says.
#pragma once

#include "cli/convert/record_layout.h"
#include "cli/input/bytes_decoder.h"
#include "cli/options/cli_options.h"

class RecordDecoder : public BytesDecoder {
public:
    // With options.json, each record is one JSON object keyed by the names.
    RecordDecoder(RecordLayout layout, const CliOptions& options);

    std::size_t Size() const override { return m_layout.size; }
    bool IgnoresRest() const override { return m_layout.ignoresRest; }
    // An integer field without FACTOR or OFFSET as an integer; every other
    // as a value in the options' format (a scaled one computed in double:
    // value * FACTOR + OFFSET, each only when given).
    // A scaled field whose value is not finite fails the record, naming it.
    bool Decode(std::span<const std::uint8_t> bytes, ItemSink& items,
                std::string& error) const override;
    const char* UnitName() const override { return "record"; }
    std::vector<std::string> Names() const override;

private:
    RecordLayout m_layout;
    CliOptions m_options;
};
