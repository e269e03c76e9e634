// The results of one input (a line, a record, a value of a capture), as the
// items of one output line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class ItemSink {
public:
    // Items go to `line` apart by `separator` (for space-apart fields, ' ').
    explicit ItemSink(std::string& line, char separator);

    // Adds `item`, quoted as RFC 4180 asks when it holds the separator, a
    // quote or a line end.
    void Add(std::string_view item);
    // Adds `item` as it stands (a JSON object: never in a delimited line).
    void AddRaw(std::string_view item);
    // Room for a number's text of at most kMostText bytes (a value in any
    // format, or an integer), which the caller writes and ends with End,
    // which quotes it as Add would.
    char* Begin() { return m_text; }
    void End(const char* end);

    static constexpr std::size_t kMostText = 1100;

    std::size_t Count() const { return m_count; }
    // Starts the next line: the caller has emptied it.
    void Restart() { m_count = 0; }
    char Separator() const { return m_separator; }

private:
    std::string& m_line;
    char m_separator;
    bool m_numbersNeedQuotes; // the separator can stand in a number's text
    std::size_t m_count = 0;
    char m_text[kMostText];
};

// Whether `field` must be quoted in a line whose fields are apart by
// `separator`: it holds it, a '"', '\r' or '\n' (or a blank, when the
// separator is ' ').
bool NeedsQuotes(std::string_view field, char separator);

// `field` in double quotes, each '"' in it doubled.
std::string Quoted(std::string_view field);
