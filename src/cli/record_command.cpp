#include "cli/record_command.h"

#include "cli/input/binary_runner.h"
#include "cli/input/bytes_converter.h"
#include "cli/input/line_runner.h"
#include "cli/record_decoder.h"
#include "cli/run_status.h"

#include <string>

int RunRecord(const CliOptions& options, std::span<const std::string_view> words,
              const CliStreams& io)
{
    if (words.empty())
        return UsageError(io, "record takes LAYOUT (see tarvel-cli --help)");
    std::string error;
    auto layout = ParseRecordLayout(words.front(), options.order, error);
    if (!layout)
        return UsageError(io, error);
    if (std::string odd = OddRecordProblem(*layout, 1); options.registers && !odd.empty())
        return UsageError(io, odd);
    const RecordDecoder decoder(std::move(*layout), options);
    const auto rest = words.subspan(1);
    const LineShape shape = LineShapeOf(options, ',');
    if (options.binary) {
        if (rest.size() > 1)
            return UsageError(io, "--binary reads one FILE (or standard input)");
        return RunBinary(
            decoder,
            {rest.empty() ? "-" : rest.front(), options.skip, shape.separator, options.header}, io);
    }
    BytesConverter converter(decoder, options.registers, BytesConverter::Count::One);
    if (rest.empty())
        return RunLines(converter, shape, io);
    if (options.field)
        return UsageError(io, "--field reads standard input, not TEXT");
    return RunText(converter, JoinWords(rest), shape, io);
}
