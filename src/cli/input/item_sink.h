// The results of one input (a line, a record, a value of a capture), as the
// items of one output line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class ItemSink {
public:
    // Items go to `line` apart by `separator` (for space-apart fields, ' ').
    explicit ItemSink(std::string& line, char separator) : m_line(line), m_separator(separator) {}

    // Adds `item`, quoted as RFC 4180 asks when it holds the separator, a
    // quote or a line end.
    void Add(std::string_view item);
    // Adds `item` as it stands (a JSON object: never in a delimited line).
    void AddRaw(std::string_view item);
    // Room for an item of at most `size` bytes, which the caller writes and
    // ends with End, which quotes it as Add would.
    char* Begin(std::size_t size);
    void End(const char* end);

    std::size_t Count() const { return m_count; }
    char Separator() const { return m_separator; }

private:
    std::string& m_line;
    char m_separator;
    std::size_t m_count = 0;
    std::size_t m_begin = 0; // where the item being written starts
};

// Whether `field` must be quoted in a line whose fields are apart by
// `separator`: it holds it, a '"', '\r' or '\n' (or a blank, when the
// separator is ' ').
bool NeedsQuotes(std::string_view field, char separator);

// `field` in double quotes, each '"' in it doubled.
std::string Quoted(std::string_view field);
