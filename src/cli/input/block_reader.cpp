#include "cli/input/block_reader.h"

#include "cli/output/output_buffer.h"
#include "cli/output/std_streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr std::size_t kBlock = std::size_t{1} << 20;
// Room for the longest line kept whole, with "\r\n"; a buffer this full
// without a line end holds a line that is too long.
constexpr std::size_t kMostData = BlockReader::kMaxLine + 2;

// The length of the line starting at `p`, before `end`: up to its '\n', not
// counting one '\r' before it.
std::size_t LineLength(const char* p, const char* end)
{
    const auto* newline =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* stop = newline != nullptr ? newline : end;
    if (newline != nullptr && stop > p && stop[-1] == '\r')
        --stop;
    return static_cast<std::size_t>(stop - p);
}
} // namespace

BlockReader::BlockReader(int fd, const volatile std::sig_atomic_t* interrupted)
    : m_fd(fd), m_interrupted(interrupted), m_buffer(new char[kBlock + 1]), m_capacity(kBlock + 1)
{
}

BlockReader::Status BlockReader::Next(std::string_view& line, OutputBuffer& pending)
{
    for (;;) {
        char* const begin = m_buffer.get() + m_begin;
        const std::size_t available = m_end - m_begin;
        auto* newline =
            static_cast<char*>(std::memchr(begin + m_scanned, '\n', available - m_scanned));
        if (newline != nullptr || (m_eof && available > 0)) {
            char* end = newline != nullptr ? newline : begin + available;
            const std::size_t consumed = static_cast<std::size_t>(end - begin) + (newline ? 1 : 0);
            m_crlf = newline != nullptr && end > begin && end[-1] == '\r';
            if (m_crlf)
                --end;
            *end = '\0'; // in place of '\n' or '\r', or in the spare byte
            line = std::string_view(begin, static_cast<std::size_t>(end - begin));
            m_begin += consumed;
            m_scanned = 0;
            ++m_lineNumber;
            return line.size() > kMaxLine ? Status::TooLong : Status::Line;
        }
        if (const Status more = WaitForMore(available, pending); more != Status::Line)
            return more;
    }
}

BlockReader::Status BlockReader::NextBlock(std::span<char>& lines, OutputBuffer& pending)
{
    for (;;) {
        char* const begin = m_buffer.get() + m_begin;
        const std::size_t available = m_end - m_begin;
        std::size_t size = available;
        if (!m_eof) { // up to the last '\n'
            while (size > m_scanned && begin[size - 1] != '\n')
                --size;
            if (size == m_scanned)
                size = 0;
        }
        if (size > 0 && m_capacity - 1 == kMostData) { // only now can a line be too long
            for (std::size_t at = 0; at < size;) {
                const std::size_t length = LineLength(begin + at, begin + size);
                if (length > kMaxLine) {
                    if (at == 0) {
                        ++m_lineNumber;
                        return Status::TooLong;
                    }
                    size = at; // the lines before it first
                    break;
                }
                at += length + 1;
                at += at < size && begin[at - 1] == '\r' ? 1 : 0;
            }
        }
        if (size > 0) {
            lines = std::span<char>(begin, size);
            m_begin += size;
            m_scanned = 0;
            return Status::Line;
        }
        if (const Status more = WaitForMore(available, pending); more != Status::Line)
            return more;
    }
}

BlockReader::Status BlockReader::WaitForMore(std::size_t scanned, OutputBuffer& pending)
{
    if (m_eof)
        return Status::End;
    m_scanned = scanned;
    const std::size_t available = m_end - m_begin;
    if (m_begin > 0) { // keep the unfinished line at the front
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, available);
        m_begin = 0;
        m_end = available;
    }
    // A full buffer without a line end: grow it, up to room for the longest
    // line with "\r\n"; at that size the line is longer than the limit.
    if (m_end + 1 == m_capacity) {
        if (m_capacity - 1 == kMostData) {
            m_lineNumber += 1;
            return Status::TooLong;
        }
        const std::size_t capacity = std::min(2 * (m_capacity - 1), kMostData) + 1;
        std::unique_ptr<char[]> bigger(new char[capacity]);
        std::memcpy(bigger.get(), m_buffer.get(), m_end);
        m_buffer = std::move(bigger);
        m_capacity = capacity;
    }
    if (!pending.Flush())
        return Status::End; // the writer reports its own failure
    for (;;) {              // a read cut short by a signal is tried again, unless it interrupts
        if (m_interrupted != nullptr && *m_interrupted != 0)
            return Status::Interrupted;
        const std::ptrdiff_t n = ReadBytes(m_fd, m_buffer.get() + m_end, m_capacity - 1 - m_end);
        if (n > 0) {
            m_end += static_cast<std::size_t>(n);
            return Status::Line;
        }
        if (n == 0) {
            m_eof = true;
            return Status::Line;
        }
        if (errno != EINTR) {
            m_error = errno;
            return Status::ReadError;
        }
    }
}
