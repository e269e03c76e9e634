#include "cli/input/binary_runner.h"

#include "cli/input/run_status.h"
#include "cli/output/output_buffer.h"
#include "cli/output/printable.h"
#include "cli/output/std_streams.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

// The input, a block at a time: each read fills what a unit left over.
class ByteBlocks {
public:
    ByteBlocks(int fd, const volatile std::sig_atomic_t* interrupted)
        : m_fd(fd), m_interrupted(interrupted), m_buffer(new std::uint8_t[kBlock])
    {
    }
    // Keeps the `kept` bytes at the end of the last block and reads after
    // them; false at the end of input, or on a failed read (Error() tells).
    bool Read(std::size_t kept, std::size_t& size)
    {
        std::memmove(m_buffer.get(), m_buffer.get() + size - kept, kept);
        for (;;) {
            if (m_interrupted != nullptr && *m_interrupted != 0)
                return false;
            const std::ptrdiff_t n =
                ReadBytes(m_fd, reinterpret_cast<char*>(m_buffer.get()) + kept, kBlock - kept);
            if (n > 0) {
                size = kept + static_cast<std::size_t>(n);
                return true;
            }
            if (n == 0 || errno != EINTR) {
                m_error = n == 0 ? 0 : errno;
                size = kept;
                return false;
            }
        }
    }
    const std::uint8_t* Data() const { return m_buffer.get(); }
    int Error() const { return m_error; }

private:
    int m_fd;
    const volatile std::sig_atomic_t* m_interrupted;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    int m_error = 0;
};

int Failure(const CliStreams& io, const std::string& message)
{
    std::fprintf(io.err, "tarvel-cli: %s\n", message.c_str());
    return kFailure;
}

} // namespace

int RunBinary(const BytesDecoder& decoder, const BinaryShape& shape, const CliStreams& io)
{
    const bool standardInput = shape.path == "-";
    const std::string path(shape.path);
    const int fd = standardInput ? io.in : OpenFile(path.c_str());
    if (fd < 0)
        return Failure(io, "cannot open '" + Printable(shape.path) + "': " + std::strerror(errno));
    const std::string name = standardInput ? "standard input" : "'" + Printable(shape.path) + "'";
    OutputBuffer out(io.out, io.interrupted);
    ByteBlocks blocks(fd, io.interrupted);
    const std::size_t unit = decoder.Size();
    ItemSink items(shape.separator);
    std::string error;
    if (shape.header) {
        for (const std::string& item : decoder.Names())
            items.Add(item);
        out.AppendLine(items.Line().data(), items.Line().size());
    }
    std::size_t toSkip = shape.skip;
    std::size_t offset = 0; // of the first byte in the block
    std::size_t size = 0;
    std::size_t kept = 0;
    while (!out.Failed() && blocks.Read(kept, size)) {
        std::size_t at = std::min(toSkip, size);
        toSkip -= at;
        const std::size_t most = decoder.MostText();
        for (; at + unit <= size; at += unit) {
            const std::span<const std::uint8_t> bytes(blocks.Data() + at, unit);
            if (most > 0) { // one item a line: written in place, as a column is
                char* end = decoder.WriteText(bytes, out.Reserve(most + 1));
                *end++ = '\n';
                out.Commit(end);
                continue;
            }
            items.Clear();
            if (!decoder.Decode(bytes, items, error)) {
                FlushOrReport(out, io);
                if (!standardInput)
                    CloseFile(fd);
                error.insert(0, name + ": byte offset " + std::to_string(offset + at) + ": ");
                return Failure(io, error);
            }
            out.AppendLine(items.Line().data(), items.Line().size());
        }
        offset += at;
        kept = size - at;
    }
    if (!standardInput)
        CloseFile(fd);
    if (!FlushOrReport(out, io) || (io.interrupted != nullptr && *io.interrupted != 0))
        return kFailure;
    if (blocks.Error() != 0)
        return Failure(io, "cannot read " + name + ": " + std::strerror(blocks.Error()));
    if (toSkip > 0)
        return Failure(io, name + ": " + std::to_string(shape.skip) +
                               (shape.skip == 1 ? " byte" : " bytes") +
                               " to skip, but the input ends at byte " +
                               std::to_string(shape.skip - toSkip));
    if (kept > 0)
        return Failure(io, name + ": byte offset " + std::to_string(offset) + ": " +
                               std::to_string(kept) + (kept == 1 ? " byte" : " bytes") +
                               " left over, less than one unit of " + std::to_string(unit));
    return 0;
}
