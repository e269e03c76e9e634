#include "cli/input/item_sink.h"

#include <algorithm>

bool NeedsQuotes(std::string_view field, char separator)
{
    return std::any_of(field.begin(), field.end(), [separator](char c) {
        return c == separator || c == '"' || c == '\r' || c == '\n' ||
               (separator == ' ' && c == '\t');
    });
}

std::string Quoted(std::string_view field)
{
    std::string quoted = "\"";
    for (const char c : field)
        quoted.append(c == '"' ? 2 : 1, c);
    return quoted + "\"";
}

void ItemSink::Add(std::string_view item)
{
    if (NeedsQuotes(item, m_separator))
        AddRaw(Quoted(item));
    else
        AddRaw(item);
}

void ItemSink::AddRaw(std::string_view item)
{
    if (m_count++ > 0)
        m_line += m_separator;
    m_line += item;
}

ItemSink::ItemSink(std::string& line, char separator)
    : m_line(line), m_separator(separator),
      // What the formats write: digits, hex digits, '.', signs, "inf", "nan", "0x", 'p'.
      m_numbersNeedQuotes(std::string_view("0123456789abcdefABCDEF.-+infaxpP").find(separator) !=
                          std::string_view::npos)
{
}

void ItemSink::End(const char* end)
{
    const std::string_view item(m_text, static_cast<std::size_t>(end - m_text));
    if (m_numbersNeedQuotes) // a delimiter such as '.' or '-'
        Add(item);
    else
        AddRaw(item);
}
