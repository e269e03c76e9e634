#include "cli/value_command.h"

#include "cli/column.h"
#include "cli/column_converter.h"
#include "cli/converter_session.h"
#include "cli/input/binary_runner.h"
#include "cli/input/block_reader.h"
#include "cli/input/bytes_converter.h"
#include "cli/input/line_runner.h"
#include "cli/output_buffer.h"
#include "cli/run_status.h"
#include "cli/value_decoder.h"

#include <string>

namespace {

// Each input line is a TEXT for one command, converted by the core directly,
// a block of lines at a time.
int RunColumn(const CliCommand& command, const CliOptions& options, const CliStreams& io)
{
    Column column(command.conversion, options);
    OutputBuffer out(io.out, io.interrupted);
    BlockReader input(io.in, io.interrupted);
    const std::size_t room = column.MaxText() + 1;
    const auto convert = [&](std::string_view line) {
        char* end = column.Convert(line, out.Reserve(room));
        *end++ = '\n';
        out.Commit(end);
    };
    std::span<char> lines;
    BlockReader::Status got;
    while ((got = input.NextBlock(lines, out)) == BlockReader::Status::Line && !out.Failed())
        input.SkipLines(ForEachLine(lines, convert));
    return FinishRun(got, input, out, io, 0);
}

} // namespace

int RunValueCommand(const CliCommand& command, const CliOptions& options,
                    std::span<const std::string_view> words, const CliStreams& io)
{
    const bool strict = options.strict || options.each || options.registers;
    if (options.binary || strict) {
        const ValueDecoder decoder(ValueTypeOf(command.conversion), options,
                                   std::string(command.name));
        if (options.binary) {
            if (words.size() > 1)
                return UsageError(io, "--binary reads one FILE (or standard input)");
            return RunBinary(decoder,
                             {words.empty() ? "-" : words.front(), options.skip, ' ', false}, io);
        }
        BytesConverter converter(decoder, options.registers,
                                 options.each     ? BytesConverter::Count::Each
                                 : options.strict ? BytesConverter::Count::One
                                                  : BytesConverter::Count::First);
        const LineShape shape = LineShapeOf(options, ' ');
        if (words.empty())
            return RunLines(converter, shape, io);
        if (options.field)
            return UsageError(io, "--field reads standard input, not TEXT");
        return RunText(converter, JoinWords(words), shape, io);
    }
    if (options.field) {
        if (!words.empty())
            return UsageError(io, "--field reads standard input, not TEXT");
        ColumnConverter converter(command, options);
        return RunLines(converter, LineShapeOf(options, ' '), io);
    }
    if (words.empty())
        return RunColumn(command, options, io);
    ConverterSession session;
    return WriteOut(io, session.RunWith(command, options, JoinWords(words)) + "\n");
}
