// A binary capture: raw bytes, consecutive units (values or records) of a
// decoder's size, one output line each, in constant memory.
#pragma once

#include "cli/input/bytes_decoder.h"
#include "cli/output/std_streams.h"

#include <cstddef>
#include <string_view>

struct BinaryShape {
    std::string_view path = "-"; // a file, or "-" for standard input
    std::size_t skip = 0;        // header bytes passed over first
    char separator = ',';        // between a record's items
    bool header = false;         // a line of the items' names first
};

// Decodes every whole unit of the input; never a text interpretation of the
// bytes. A trailing part smaller than a unit is reported with its byte
// offset after the results before it (status 1), as is a header longer than
// the input, a file that cannot be opened or a failed read.
int RunBinary(const BytesDecoder& decoder, const BinaryShape& shape, const CliStreams& io);
