// One command's work on one TEXT: the results it adds to an output line.
#pragma once

#include "cli/input/item_sink.h"

#include <string>
#include <string_view>
#include <vector>

class TextConverter {
public:
    virtual ~TextConverter() = default;
    // Whether a blank line of input is skipped rather than converted: true
    // for the strict readers, false for the dialog's forgiving ones.
    virtual bool SkipsBlankLines() const { return true; }
    // Adds the results for `text` to `items`; false with `error` naming the
    // problem, nothing added.
    virtual bool Convert(std::string_view text, ItemSink& items, std::string& error) = 0;
    // The names of the results, for a header line.
    virtual std::vector<std::string> Names() const = 0;

    // The most WriteOneItem writes; 0 for a converter without it.
    virtual std::size_t OneItemRoom() const { return 0; }
    // For a text whose results are one item, written as it stands: that item
    // written at `out` (room for OneItemRoom() bytes), returning its end, the
    // text Convert would add. Null for any other text, which Convert then
    // takes; what was written at `out` is then no result.
    virtual char* WriteOneItem(std::string_view /*text*/, char* /*out*/) { return nullptr; }
};
