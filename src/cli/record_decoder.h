// A record's bytes decoded field by field as its SPEC says.
#pragma once

#include "cli/bytes_decoder.h"
#include "cli/cli_options.h"
#include "cli/record_spec.h"

class RecordDecoder : public BytesDecoder {
public:
    // With options.json, each record is one JSON object keyed by the names.
    RecordDecoder(RecordSpec spec, const CliOptions& options);

    std::size_t Size() const override { return m_spec.size; }
    bool IgnoresRest() const override { return m_spec.ignoresRest; }
    // An integer field without FACTOR or OFFSET as an integer; every other
    // as a value in the options' format (a scaled one computed in double:
    // value * FACTOR + OFFSET, each only when given).
    void Decode(std::span<const std::uint8_t> bytes, ItemSink& items) const override;
    std::vector<std::string> Names() const override;

private:
    RecordSpec m_spec;
    CliOptions m_options;
};
