// Lines of a file descriptor, read in large blocks (read(2), or _read on
// Windows), so a pipe's lines are handed on as soon as they arrive and a
// file's in few calls.
#pragma once

#include <csignal>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

class OutputBuffer;

// Calls `f` with each line of `lines`, a block from BlockReader: without its
// '\n' and one '\r' before it, and followed by a zero byte written in its
// place. Returns the number of lines.
template <class F> std::size_t ForEachLine(std::span<char> lines, F f)
{
    std::size_t count = 0;
    char* p = lines.data();
    char* const end = p + lines.size();
    while (p < end) {
        auto* newline = static_cast<char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        char* lineEnd = newline != nullptr ? newline : end;
        char* const next = newline != nullptr ? newline + 1 : end;
        if (newline != nullptr && lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        *lineEnd = '\0';
        f(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        ++count;
        p = next;
    }
    return count;
}

class BlockReader {
public:
    // The longest line kept whole; a longer one is reported, not read.
    static constexpr std::size_t kMaxLine = std::size_t{64} << 20;

    enum class Status {
        Line,        // a line is ready
        End,         // the input has ended
        ReadError,   // the read failed; errno tells why
        TooLong,     // the next line is longer than kMaxLine
        Interrupted, // a signal set the interruption flag while waiting
    };

    // Reads `fd`, which it never closes. `interrupted`, if given, is the flag
    // a signal handler sets; a read that a signal cuts short then ends the input.
    explicit BlockReader(int fd, const volatile std::sig_atomic_t* interrupted = nullptr);

    // The next line, without its '\n' and without one '\r' right before it; a
    // last line without '\n' counts too. The byte after the line is a zero, so
    // the line can be read as a zero-terminated text; zero bytes inside pass
    // unchanged. Valid until the next call. Before it waits for input it
    // writes out everything `pending` holds, so nothing that is ready stays
    // behind while the program waits.
    Status Next(std::string_view& line, OutputBuffer& pending);

    // Every complete line buffered now, ending in '\n' (at the end of input,
    // the last line without one, followed by a writable spare byte), to be
    // taken apart with ForEachLine; reads first when none is, writing out
    // `pending` before it waits. Valid until the next call. Counts no lines:
    // a caller that takes blocks keeps its own count (see SkipLines).
    Status NextBlock(std::span<char>& lines, OutputBuffer& pending);
    // Adds `count` lines taken as blocks to the line count.
    void SkipLines(std::size_t count) { m_lineNumber += count; }

    // Whether the line Next returned last ended in "\r\n" (its '\r' taken off).
    bool EndedInCrLf() const { return m_crlf; }

    // The errno of a failed read.
    int Error() const { return m_error; }
    // The number of the line last returned (or found too long), from 1.
    std::size_t LineNumber() const { return m_lineNumber; }

private:
    // After `scanned` bytes without a line end: End at the end of input, else
    // reads more (Line to look again) or says why it cannot.
    Status WaitForMore(std::size_t scanned, OutputBuffer& pending);

    int m_fd;
    const volatile std::sig_atomic_t* m_interrupted;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;    // bytes in m_buffer, one of them always kept for the zero
    std::size_t m_begin = 0;   // first byte not yet handed out
    std::size_t m_end = 0;     // end of the bytes read
    std::size_t m_scanned = 0; // bytes from m_begin known to hold no '\n'
    bool m_eof = false;
    bool m_crlf = false;
    int m_error = 0;
    std::size_t m_lineNumber = 0;
};
