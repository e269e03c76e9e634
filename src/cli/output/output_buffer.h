// Standard output as tarvel-cli writes it: whole lines, gathered into large
// writes, written out at once when asked (before the program waits for input).
#pragma once

#include <csignal>
#include <cstddef>
#include <memory>

class OutputBuffer {
public:
    // Writes to `fd`, which it never closes. `interrupted`, if given, is the
    // flag a signal handler sets: a write that a signal cuts short then fails.
    explicit OutputBuffer(int fd, const volatile std::sig_atomic_t* interrupted = nullptr);

    // Room for `size` more bytes (at most kCapacity), writing out what is
    // pending first when needed. Records are appended whole, so every write
    // ends at a record's end. Valid until Commit.
    char* Reserve(std::size_t size);
    // Takes the bytes up to `end` (from the last Reserve) as pending.
    void Commit(const char* end) { m_size = static_cast<std::size_t>(end - m_buffer.get()); }
    // Appends `size` bytes; a text longer than the buffer goes out in pieces.
    void Append(const char* data, std::size_t size);
    // Appends `size` bytes and a '\n'.
    void AppendLine(const char* data, std::size_t size);

    // Writes out everything pending. False once any write has failed (errno
    // tells why); nothing is written after that.
    bool Flush();
    bool Failed() const { return m_failed; }
    // The errno of the failed write.
    int Error() const { return m_error; }

    static constexpr std::size_t kCapacity = std::size_t{1} << 20;

private:
    int m_fd;
    const volatile std::sig_atomic_t* m_interrupted;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    bool m_failed = false;
    int m_error = 0;
};
