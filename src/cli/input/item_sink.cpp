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

char* ItemSink::Begin(std::size_t size)
{
    if (m_count++ > 0)
        m_line += m_separator;
    m_begin = m_line.size();
    m_line.resize(m_begin + size);
    return m_line.data() + m_begin;
}

void ItemSink::End(const char* end)
{
    m_line.resize(static_cast<std::size_t>(end - m_line.data()));
    const std::string_view item = std::string_view(m_line).substr(m_begin);
    if (NeedsQuotes(item, m_separator)) // a delimiter such as '.' or '-'
        m_line.replace(m_begin, item.size(), Quoted(item));
}
