// A TEXT read strictly as bytes (clean hex, or 16-bit registers in decimal)
// and decoded unit by unit: one value, every value, or one record.
#pragma once

#include "cli/input/bytes_decoder.h"
#include "cli/input/text_converter.h"

#include <cstdint>
#include <vector>

class BytesConverter : public TextConverter {
public:
    enum class Count {
        First, // at least one unit; bytes after it are not read
        One,   // exactly one unit (or one and any rest, where the decoder ignores it)
        Each,  // any number of whole units, at least one
    };

    // Reads with ReadRegisterText when `registers`, else ReadCleanHex.
    // `decoder` must outlive it.
    BytesConverter(const BytesDecoder& decoder, bool registers, Count count);

    // False, naming the problem, for a text that is not clean, too few bytes
    // for a unit, bytes left over (Each: a partial unit; One: any, unless the
    // decoder ignores them) or none at all.
    bool Convert(std::string_view text, ItemSink& items, std::string& error) override;
    std::vector<std::string> Names() const override { return m_decoder.Names(); }
    // A text of exactly one unit's hex digits, nothing else, for a decoder
    // whose unit is one item.
    std::size_t OneItemRoom() const override { return m_oneItemRoom; }
    char* WriteOneItem(std::string_view text, char* out) override;

private:
    const BytesDecoder& m_decoder;
    bool m_registers;
    Count m_count;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_size;        // of a unit
    std::size_t m_oneItemRoom; // 0 for registers, or for units of several items
};
