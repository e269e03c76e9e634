#include "cli/output/output_buffer.h"

#include "cli/output/std_streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

OutputBuffer::OutputBuffer(int fd, const volatile std::sig_atomic_t* interrupted)
    : m_fd(fd), m_interrupted(interrupted), m_buffer(new char[kCapacity])
{
}

char* OutputBuffer::Reserve(std::size_t size)
{
    if (kCapacity - m_size < size)
        Flush();
    return m_buffer.get() + m_size;
}

void OutputBuffer::Append(const char* data, std::size_t size)
{
    while (size > kCapacity - m_size && !m_failed) {
        const std::size_t part = kCapacity - m_size;
        std::memcpy(m_buffer.get() + m_size, data, part);
        m_size += part;
        data += part;
        size -= part;
        Flush();
    }
    char* out = Reserve(size);
    std::memcpy(out, data, size);
    Commit(out + size);
}

void OutputBuffer::AppendLine(const char* data, std::size_t size)
{
    if (size < kCapacity) { // the common case: one reservation
        char* out = Reserve(size + 1);
        std::memcpy(out, data, size);
        out[size] = '\n';
        Commit(out + size + 1);
        return;
    }
    Append(data, size);
    char* out = Reserve(1);
    *out = '\n';
    Commit(out + 1);
}

bool OutputBuffer::Flush()
{
    std::size_t written = 0;
    while (!m_failed && written < m_size) {
        const std::ptrdiff_t n = WriteBytes(m_fd, m_buffer.get() + written, m_size - written);
        if (n > 0)
            written += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR && (m_interrupted == nullptr || *m_interrupted == 0))
            continue;
        else {
            m_failed = true;
            m_error = n < 0 ? errno : EIO;
        }
    }
    m_size = 0;
    return !m_failed;
}
