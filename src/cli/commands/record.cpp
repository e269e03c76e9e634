// record LAYOUT [TEXT...]: a record's bytes decoded field by field.
#include "cli/commands/record.h"

#include "cli/convert/record_decoder.h"
#include "cli/input/binary_runner.h"
#include "cli/input/bytes_converter.h"
#include "cli/input/line_runner.h"
#include "cli/input/run_status.h"
#include "cli/options/parse_options.h"

#include <string>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

constexpr OptionUse kOptions[] = {
    {"--order", "the order of a field without one of its own: ABCD (default), DCBA, CDAB, "
                "BADC; eight-letter and AB/BA forms too"},
    {"--format", "how a field that is not a plain integer is written: fixed (six decimals, "
                 "default), shortest, exact or hex"},
    {"--digits"},
    {"--registers", "TEXT is 16-bit registers in decimal (-32768 to 65535), two bytes each"},
    {"--field", "the record's bytes are field N of each line, read as RFC 4180 CSV; its "
                "fields are appended to the line"},
    {"--delimiter", "what stands between the record's fields, and with --field the lines' "
                    "delimiter: one character (, by default), tab, or space"},
    {"--replace"},
    {"--header", "print a line of the fields' names first (with --field: the first line is "
                 "a header, the names appended to it)"},
    {"--binary", "standard input (or FILE) is raw bytes: consecutive records of the "
                 "layout's size, one line each, in constant memory"},
    {"--skip"},
    {"--json", "one JSON object per record: integers as numbers, every other value as a "
               "string"},
};

} // namespace

const CliCommand kRecordCommand{
    {.name = "record",
     .synopsis = "[OPTION...] LAYOUT [TEXT...]\n[OPTION...] --binary LAYOUT [FILE]",
     .summary = "the fields of a record's bytes",
     .description = "The bytes of TEXT (clean hex, or registers with --registers), or of each\n"
                    "line of standard input, decoded field by field as LAYOUT says. LAYOUT is\n"
                    "fields [NAME=]TYPE[:ORDER][*FACTOR][+OFFSET] and skip:N (N bytes passed\n"
                    "over), apart by commas, with \"...\" last to ignore the rest. TYPE is int8\n"
                    "uint8 int16 uint16 int32 uint32 int64 uint64 half bfloat16 float double;\n"
                    "an ORDER is any name --order takes, meaning what it means there for the\n"
                    "field's size. FACTOR and OFFSET, finite, scale the value in double\n"
                    "precision; a scaled value that is not finite fails its record.\n"
                    "An integer field without them prints as an integer, every other field in\n"
                    "the format asked. A record of another size than LAYOUT's is an error\n"
                    "naming the line; a bad LAYOUT is refused naming the part.\n",
     .options = kOptions,
     .examples =
         "  tarvel-cli record 'p=float:CDAB,t=int16*0.01,status=uint16' 0FDB4049 0929 0001\n"
         "                                                  3.141593,23.450000,1\n"
         "  tarvel-cli record --header --json 'p=float,t=int16' < records.txt\n"
         "  tarvel-cli record --binary --skip 16 'p=float,t=int16,...' capture.bin\n",
     .records = true},
    Conversion::Record,
    Run};

namespace {

// `words` are LAYOUT and the TEXT words after it. A bad LAYOUT is a usage
// error before any input is read. With TEXT, its bytes make one record;
// without, each line of standard input does (or field N of it), or with
// --binary each LAYOUT-sized piece of the input (a FILE word, or standard
// input).
int Run(const CliCommand& /*command*/, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    if (words.empty())
        return UsageError(io, "record takes LAYOUT (see tarvel-cli record --help)");
    std::string error;
    auto layout = ParseRecordLayout(words.front(), options.order, error);
    if (!layout)
        return UsageError(io, error);
    if (std::string odd = OddRecordProblem(*layout, 1); options.registers && !odd.empty())
        return UsageError(io, odd);
    if (options.binary && layout->ignoresRest) // each record is exactly the layout's bytes
        return UsageError(io, "\"...\" and --binary contradict each other: a binary record is "
                              "exactly the layout's size, with no rest to ignore");
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

} // namespace
