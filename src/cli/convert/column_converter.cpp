#include "cli/convert/column_converter.h"

bool ColumnConverter::Convert(std::string_view text, ItemSink& items, std::string& /*error*/)
{
    m_text.assign(text);
    items.End(m_column.Convert(m_text, items.Begin())); // MaxText() is within kMostText
    return true;
}

char* ColumnConverter::WriteOneItem(std::string_view text, char* out)
{
    if (!m_column.ReadsToZero()) // a field's hex is read where it stands
        return m_column.Convert(text, out);
    m_text.assign(text);
    return m_column.Convert(m_text, out);
}
