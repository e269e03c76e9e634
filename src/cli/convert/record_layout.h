// How `record LAYOUT` lays out a record: fields of bytes in order,
// "[NAME=]TYPE[:ORDER][*FACTOR][+OFFSET]", "skip:N", and "..." last.
#pragma once

#include "core/byte_order.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class FieldType {
    Int8,
    UInt8,
    Int16,
    UInt16,
    Int32,
    UInt32,
    Int64,
    UInt64,
    Half,
    BFloat16,
    Float,
    Double
};

struct RecordField {
    std::string name; // as given, or "fN" for the Nth field shown
    FieldType type = FieldType::Float;
    ByteOrder order = ByteOrder::ABCD;
    std::optional<double> factor; // value * factor + offset, in double
    std::optional<double> offset;
    std::size_t skipBefore = 0; // bytes passed over before it (skip:N)
};

struct RecordLayout {
    std::vector<RecordField> fields;
    std::size_t size = 0;     // every byte the record takes, skips included
    bool ignoresRest = false; // ended in "..."
};

// The names of the field types, as LAYOUT and messages write them.
std::vector<std::string_view> FieldTypeNames();
// The bytes of a field of `type`: 1, 2, 4 or 8.
std::size_t FieldSize(FieldType type);

// Reads LAYOUT, each field's order defaulting to `order`. A bad part (unknown
// type, an order of another size than the type's, a FACTOR or OFFSET that is
// not a finite number, a duplicate or empty name, a bad skip, "..." before
// the end, an empty part) gives nullopt with `error` naming the part.
std::optional<RecordLayout> ParseRecordLayout(std::string_view layout, ByteOrder order,
                                              std::string& error);

// Empty when `units` records of `layout` in a row can be read from 16-bit
// registers, else why not: their bytes are odd in number and the layout does
// not end in "...", so which half of the last register is their last byte
// would be a guess.
std::string OddRecordProblem(const RecordLayout& layout, std::size_t units);
