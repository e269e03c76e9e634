#include "cli/column_converter.h"

bool ColumnConverter::Convert(std::string_view text, ItemSink& items, std::string& /*error*/)
{
    m_text.assign(text);
    char* const out = items.Begin(m_column.MaxText());
    items.End(m_column.Convert(m_text, out));
    return true;
}
