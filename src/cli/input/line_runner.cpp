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

int RunLines(TextConverter& converter, const LineShape& shape, const CliStreams& io)
{
    OutputBuffer out(io.out, io.interrupted);
    BlockReader input(io.in, io.interrupted);
    FieldLines fields(shape.field.value_or(1), shape.delimiter, shape.replace);
    const char separator = !shape.field                    ? shape.separator
                           : shape.delimiter == kBlankRuns ? ' '
                                                           : shape.delimiter;
    std::string error;
    std::size_t first = 0; // the line a record starts on
    bool header = shape.header;
    ItemSink items(separator);
    if (header && !shape.field) { // the results' names head the output
        AddNames(converter.Names(), items);
        out.AppendLine(items.Line().data(), items.Line().size());
        header = false;
    }
    int status = 0;
    std::string_view text;
    BlockReader::Status got;
    while ((got = input.Next(text, out)) == BlockReader::Status::Line && !out.Failed()) {
        if (!fields.Open())
            first = input.LineNumber();
        if (shape.field && !fields.Add(text, input.EndedInCrLf())) {
            if (!fields.TooLong())
                continue;
            status = kFailure;
            ReportBadLine(out, first, io, "a record longer than 64 MiB (is a quote not closed?)");
            break;
        }
        // A blank line holds no record of a log, which passes it on as it
        // came, nor a TEXT for a strict reader.
        if (first == input.LineNumber() && IsBlank(text) && shape.field) {
            out.Append(text.data(), text.size());
            WriteLineEnd(input.EndedInCrLf(), out);
            continue;
        }
        if (first == input.LineNumber() && IsBlank(text) && converter.SkipsBlankLines())
            continue;
        items.Clear();
        bool done = true;
        const std::string_view* field = shape.field ? fields.Text() : &text;
        if (field == nullptr) { // the header's fields too: --replace writes in one
            done = false;
            error = "fewer than " + std::to_string(*shape.field) + " fields";
        } else if (header) {
            AddNames(converter.Names(), items);
            header = false;
        } else if (!(done = converter.Convert(*field, items, error)) && shape.field) {
            error.insert(0, "field " + std::to_string(*shape.field) + ": ");
        }
        if (!done) {
            status = kUsageError;
            ReportBadLine(out, first, io, error);
            break;
        }
        if (shape.field) {
            fields.Write(items.Line(), out);
        } else {
            out.AppendLine(items.Line().data(), items.Line().size());
        }
    }
    if (got == BlockReader::Status::End && fields.Open()) {
        status = kUsageError;
        ReportBadLine(out, first, io, "a quoted field is not closed");
    }
    return FinishRun(got, input, out, io, status);
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
