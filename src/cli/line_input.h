// Lines of standard input as tarvel-cli reads them.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class LineInput {
public:
    explicit LineInput(std::FILE* stream) : m_stream(stream) {}
    ~LineInput();
    LineInput(const LineInput&) = delete;
    LineInput& operator=(const LineInput&) = delete;

    // The next line, without its '\n' and without one '\r' right before it;
    // a last line without '\n' counts too. Bytes, zero bytes included, pass
    // unchanged. False at the end of input or on a read error (ferror tells).
    bool Next(std::string_view& line);

private:
    std::FILE* m_stream;
    char* m_buffer = nullptr;
    std::size_t m_capacity = 0;
};
