#include "cli/input/line_runner.h"

#include "cli/input/byte_text.h"
#include "cli/input/csv_fields.h"
#include "cli/input/field_lines.h"
#include "cli/input/run_status.h"
#include "cli/options/cli_options.h"

#include <string>
#include <vector>

namespace {

void AddNames(const std::vector<std::string>& names, ItemSink& items)
{
    for (const std::string& name : names)
        items.Add(name);
}

} // namespace

LineShape LineShapeOf(const CliOptions& options, char separator)
{
    LineShape shape;
    shape.field = options.field;
    shape.delimiter = options.delimiter.value_or(',');
    shape.replace = options.replace;
    shape.header = options.header;
    shape.separator = options.delimiter.value_or(separator);
    return shape;
}

namespace {

// Without a field: each line a TEXT, taken a block of lines at a time, and
// a result that is one item written straight into the output.
int RunPlainLines(TextConverter& converter, const LineShape& shape, const CliStreams& io)
{
    OutputBuffer out(io.out, io.interrupted);
    BlockReader input(io.in, io.interrupted);
    ItemSink items(shape.separator);
    if (shape.header) { // the results' names head the output
        AddNames(converter.Names(), items);
        out.AppendLine(items.Line().data(), items.Line().size());
    }
    const std::size_t room = items.NumbersNeedQuotes() ? 0 : converter.OneItemRoom();
    const bool skipBlank = converter.SkipsBlankLines();
    std::string error;
    std::size_t number = 0; // of the line being converted
    bool refused = false;
    const auto convert = [&](std::string_view line) {
        if (refused || out.Failed()) // as if the lines after were never read
            return;
        ++number;
        // A blank line is empty or starts with a blank: most lines need one look.
        if (skipBlank && (line.empty() || line[0] == ' ' || line[0] == '\t') && IsBlank(line))
            return;
        if (room > 0) {
            if (char* end = converter.WriteOneItem(line, out.Reserve(room + 1))) {
                *end++ = '\n';
                out.Commit(end);
                return;
            }
        }
        items.Clear();
        if (!converter.Convert(line, items, error)) {
            refused = true;
            return;
        }
        out.AppendLine(items.Line().data(), items.Line().size());
    };
    int status = 0;
    std::span<char> lines;
    BlockReader::Status got;
    while ((got = input.NextBlock(lines, out)) == BlockReader::Status::Line && !out.Failed()) {
        input.SkipLines(ForEachLine(lines, convert));
        if (refused) {
            status = kUsageError;
            ReportBadLine(out, number, io, error);
            break;
        }
    }
    return FinishRun(got, input, out, io, status);
}

// With a field: records, which a quoted field can carry across lines, each
// written back with its results.
int RunFieldLines(TextConverter& converter, const LineShape& shape, const CliStreams& io)
{
    OutputBuffer out(io.out, io.interrupted);
    BlockReader input(io.in, io.interrupted);
    FieldLines fields(*shape.field, shape.delimiter, shape.replace);
    ItemSink items(shape.delimiter == kBlankRuns ? ' ' : shape.delimiter);
    const std::size_t room = items.NumbersNeedQuotes() ? 0 : converter.OneItemRoom();
    std::string error;
    std::size_t first = 0; // the line a record starts on
    bool header = shape.header;
    int status = 0;
    std::string_view text;
    BlockReader::Status got;
    while ((got = input.Next(text, out)) == BlockReader::Status::Line && !out.Failed()) {
        if (!fields.Open())
            first = input.LineNumber();
        if (!fields.Add(text, input.EndedInCrLf())) {
            if (!fields.TooLong())
                continue;
            status = kFailure;
            ReportBadLine(out, first, io, "a record longer than 64 MiB (is a quote not closed?)");
            break;
        }
        // A blank line holds no record of a log, which passes it on as it came.
        if (first == input.LineNumber() && IsBlank(text)) {
            out.Append(text.data(), text.size());
            WriteLineEnd(input.EndedInCrLf(), out);
            continue;
        }
        const std::string_view* field = fields.Text();
        // An empty field is a log's missing value: its results are missing
        // too, never a number read from nothing.
        const bool missing = field != nullptr && !header && field->empty();
        if (field != nullptr && !header && !missing && room > 0) { // straight into the line
            if (char* at = fields.WriteUpToResults(room, out)) {
                if (char* end = converter.WriteOneItem(*field, at)) {
                    fields.WriteRest(end, out);
                    continue;
                }
            }
        }
        items.Clear();
        bool done = true;
        if (field == nullptr) { // the header's fields too: --replace writes in one
            done = false;
            error = "fewer than " + std::to_string(*shape.field) + " fields";
        } else if (header) {
            AddNames(converter.Names(), items);
            header = false;
        } else if (missing) {
            for (std::size_t k = converter.Names().size(); k > 0; --k)
                items.Add("");
        } else if (!(done = converter.Convert(*field, items, error))) {
            error.insert(0, "field " + std::to_string(*shape.field) + ": ");
        }
        if (!done) {
            status = kUsageError;
            ReportBadLine(out, first, io, error);
            break;
        }
        fields.Write(items.Line(), out);
    }
    if (got == BlockReader::Status::End && fields.Open()) {
        status = kUsageError;
        ReportBadLine(out, first, io, "a quoted field is not closed");
    }
    return FinishRun(got, input, out, io, status);
}

} // namespace

int RunLines(TextConverter& converter, const LineShape& shape, const CliStreams& io)
{
    return shape.field ? RunFieldLines(converter, shape, io) : RunPlainLines(converter, shape, io);
}

int RunText(TextConverter& converter, std::string_view text, const LineShape& shape,
            const CliStreams& io)
{
    ItemSink items(shape.separator);
    std::string error;
    if (!converter.Convert(text, items, error))
        return UsageError(io, error);
    ItemSink header(shape.separator);
    if (shape.header)
        AddNames(converter.Names(), header);
    std::string lines;
    if (shape.header)
        lines.append(header.Line()).append("\n");
    return WriteOut(io, lines.append(items.Line()).append("\n"));
}
