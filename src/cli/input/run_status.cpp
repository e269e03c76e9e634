#include "cli/input/run_status.h"

#include <cstring>

bool FlushOrReport(OutputBuffer& out, const CliStreams& io)
{
    if (out.Flush())
        return true;
    std::fprintf(io.err, "tarvel-cli: cannot write standard output: %s\n",
                 std::strerror(out.Error()));
    return false;
}

int FinishRun(BlockReader::Status got, const BlockReader& input, OutputBuffer& out,
              const CliStreams& io, int status)
{
    if (!FlushOrReport(out, io))
        return kFailure;
    switch (got) {
    case BlockReader::Status::ReadError:
        std::fprintf(io.err, "tarvel-cli: cannot read standard input: %s\n",
                     std::strerror(input.Error()));
        return kFailure;
    case BlockReader::Status::TooLong:
        std::fprintf(io.err, "tarvel-cli: line %zu: longer than %zu MiB\n", input.LineNumber(),
                     BlockReader::kMaxLine >> 20);
        return kFailure;
    case BlockReader::Status::Interrupted:
        return kFailure;
    case BlockReader::Status::Line:
    case BlockReader::Status::End:
        break;
    }
    return status;
}

int WriteOut(const CliStreams& io, std::string_view text)
{
    OutputBuffer out(io.out, io.interrupted);
    out.Append(text.data(), text.size());
    if (out.Flush())
        return 0;
    std::fprintf(io.err, "tarvel-cli: cannot write standard output: %s\n",
                 std::strerror(out.Error()));
    return kFailure;
}

int UsageError(const CliStreams& io, std::string_view message)
{
    std::fprintf(io.err, "tarvel-cli: %.*s\n", static_cast<int>(message.size()), message.data());
    return kUsageError;
}

bool ReportBadLine(OutputBuffer& out, const BlockReader& input, const CliStreams& io,
                   std::string_view message)
{
    return ReportBadLine(out, input.LineNumber(), io, message);
}

bool ReportBadLine(OutputBuffer& out, std::size_t number, const CliStreams& io,
                   std::string_view message)
{
    if (!out.Flush())
        return false;
    std::fprintf(io.err, "tarvel-cli: line %zu: %.*s\n", number, static_cast<int>(message.size()),
                 message.data());
    return true;
}
