// What a unit of bytes (one value, or one record) becomes: the items of an
// output line. Text, registers, a binary capture and a device all hand their
// bytes to one of these.
#pragma once

#include "cli/input/item_sink.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class BytesDecoder {
public:
    virtual ~BytesDecoder() = default;
    // The bytes of one unit.
    virtual std::size_t Size() const = 0;
    // Whether bytes after a unit are allowed and ignored (a record ending in
    // "..."), rather than an error or the next unit.
    virtual bool IgnoresRest() const { return false; }
    // Adds the items of the unit in the first Size() of `bytes`. False, with
    // `error` saying why, for a unit that has no right answer (a scaled
    // value that is not finite); the items are then incomplete.
    virtual bool Decode(std::span<const std::uint8_t> bytes, ItemSink& items,
                        std::string& error) const = 0;
    // What a unit is called in messages: "value" or "record".
    virtual const char* UnitName() const { return "value"; }
    // The longest text WriteText writes, or 0 when a unit is not one item.
    virtual std::size_t MostText() const { return 0; }
    // The unit's one item, written at `out` (room for MostText() bytes),
    // unquoted: for output that holds nothing else on its line.
    virtual char* WriteText(std::span<const std::uint8_t> /*bytes*/, char* out) const
    {
        return out;
    }
    // The names of the items, for a header line.
    virtual std::vector<std::string> Names() const = 0;
};
