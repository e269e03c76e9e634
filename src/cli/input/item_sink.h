// The results of one input (a line, a record, a value of a capture), as the
// items of one output line, gathered where the numbers are written.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class ItemSink {
public:
    // Items apart by `separator` (for space-apart fields, ' ').
    explicit ItemSink(char separator);

    // Adds `item`, quoted as RFC 4180 asks when it holds the separator, a
    // quote or a line end.
    void Add(std::string_view item);
    // Adds `item` as it stands (a JSON object: never in a delimited line).
    void AddRaw(std::string_view item);
    // Room in the line itself for a number's text of at most kMostText bytes
    // (a value in any format, or an integer), which the caller writes and
    // ends with End, which quotes it as Add would. Nothing is copied.
    char* Begin();
    void End(const char* end);

    static constexpr std::size_t kMostText = 1100;

    // The items so far, apart by the separator; valid until the next change.
    std::string_view Line() const { return {m_line.get(), m_size}; }
    std::size_t Count() const { return m_count; }
    // Empties the line for the next one.
    void Clear()
    {
        m_size = 0;
        m_count = 0;
    }
    char Separator() const { return m_separator; }
    // Whether a number's text may need quotes: the separator can stand in it.
    bool NumbersNeedQuotes() const { return m_numbersNeedQuotes; }

private:
    // Room for `more` bytes after the line, keeping what it holds.
    void Room(std::size_t more);

    std::unique_ptr<char[]> m_line;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    char m_separator;
    bool m_numbersNeedQuotes; // the separator can stand in a number's text
    std::size_t m_count = 0;
    std::size_t m_begin = 0; // where the text Begin made room for starts
};

// Whether `field` must be quoted in a line whose fields are apart by
// `separator`: it holds it, a '"', '\r' or '\n' (or a blank, when the
// separator is ' ').
bool NeedsQuotes(std::string_view field, char separator);

// `field` in double quotes, each '"' in it doubled.
std::string Quoted(std::string_view field);
