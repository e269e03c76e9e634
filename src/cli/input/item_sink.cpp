#include "cli/input/item_sink.h"

#include <algorithm>
#include <cstring>

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

ItemSink::ItemSink(char separator)
    : m_separator(separator),
      // What the formats write: digits, hex digits, '.', signs, "inf", "nan", "0x", 'p'.
      m_numbersNeedQuotes(std::string_view("0123456789abcdefABCDEF.-+infaxpP").find(separator) !=
                          std::string_view::npos)
{
    Room(4 * kMostText);
}

void ItemSink::Room(std::size_t more)
{
    if (m_size + more <= m_capacity)
        return;
    const std::size_t capacity = std::max(2 * m_capacity, m_size + more);
    auto grown = std::make_unique<char[]>(capacity);
    if (m_size > 0) // memcpy takes no null pointer, even for no bytes
        std::memcpy(grown.get(), m_line.get(), m_size);
    m_line = std::move(grown);
    m_capacity = capacity;
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
    Room(item.size() + 1);
    if (m_count++ > 0)
        m_line[m_size++] = m_separator;
    if (!item.empty()) // an empty view may hold no pointer at all
        std::memcpy(m_line.get() + m_size, item.data(), item.size());
    m_size += item.size();
}

char* ItemSink::Begin()
{
    Room(kMostText + 1);
    if (m_count > 0)
        m_line[m_size++] = m_separator;
    m_begin = m_size;
    return m_line.get() + m_size;
}

void ItemSink::End(const char* end)
{
    ++m_count;
    m_size = static_cast<std::size_t>(end - m_line.get());
    if (!m_numbersNeedQuotes) // the text stands where it was written
        return;
    // A delimiter such as '.' or '-': the text, quoted when it holds it.
    const std::string text(m_line.get() + m_begin, m_size - m_begin);
    m_size = m_begin;
    if (!NeedsQuotes(text, m_separator)) {
        m_size += text.size();
        return;
    }
    const std::string quoted = Quoted(text);
    Room(quoted.size());
    std::memcpy(m_line.get() + m_size, quoted.data(), quoted.size());
    m_size += quoted.size();
}
