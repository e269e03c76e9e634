#include "cli/run_status.h"

#include <cstring>

int FinishRun(BlockInput::Status got, const BlockInput& input, OutputBuffer& out,
              const CliStreams& io, int status)
{
    if (!out.Flush()) {
        std::fprintf(io.err, "tarvel-cli: cannot write standard output: %s\n",
                     std::strerror(out.Error()));
        return kFailure;
    }
    switch (got) {
    case BlockInput::Status::ReadError:
        std::fprintf(io.err, "tarvel-cli: cannot read standard input: %s\n",
                     std::strerror(input.Error()));
        return kFailure;
    case BlockInput::Status::TooLong:
        std::fprintf(io.err, "tarvel-cli: line %zu: longer than %zu MiB\n", input.LineNumber(),
                     BlockInput::kMaxLine >> 20);
        return kFailure;
    case BlockInput::Status::Interrupted:
        return kFailure;
    case BlockInput::Status::Line:
    case BlockInput::Status::End:
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
