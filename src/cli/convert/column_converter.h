// The forgiving column commands (float, double, half, bfloat16, psi,
// metres) as a TextConverter, for a TEXT taken from a field of a line.
#pragma once

#include "cli/convert/column.h"
#include "cli/input/text_converter.h"

#include <string>

class ColumnConverter : public TextConverter {
public:
    // `name` is the column's, for a header.
    ColumnConverter(Conversion conversion, const CliOptions& options, std::string_view name)
        : m_column(conversion, options), m_name(name)
    {
    }

    // The dialog's reading converts a blank text too.
    bool SkipsBlankLines() const override { return false; }
    // The result Column gives for `text`; never refuses.
    bool Convert(std::string_view text, ItemSink& items, std::string& error) override;
    std::vector<std::string> Names() const override { return {m_name}; }
    // Every text: Column's result.
    std::size_t OneItemRoom() const override { return m_column.MaxText(); }
    char* WriteOneItem(std::string_view text, char* out) override;

private:
    Column m_column;
    std::string m_name;
    std::string m_text; // `text` followed by the zero byte Column reads up to
};
