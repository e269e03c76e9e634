// float, double, half and bfloat16, psi and metres: the dialog's four
// buttons, and the two 16-bit types read as "32 bit float" reads its bytes.
#include "cli/commands/value.h"

#include "cli/convert/column.h"
#include "cli/convert/column_converter.h"
#include "cli/convert/converter_session.h"
#include "cli/convert/value_decoder.h"
#include "cli/input/binary_runner.h"
#include "cli/input/block_reader.h"
#include "cli/input/bytes_converter.h"
#include "cli/input/line_runner.h"
#include "cli/input/run_status.h"
#include "cli/options/parse_options.h"
#include "cli/output/output_buffer.h"

#include <string>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

constexpr std::string_view kHexSynopsis = "[OPTION...] [TEXT...]\n[OPTION...] --binary [FILE]";
constexpr std::string_view kPressureSynopsis = "[OPTION...] [KPA]";

constexpr OptionUse kHexOptions[] = {
    {"--order"},
    {"--format"},
    {"--digits"},
    {"--registers", "TEXT is 16-bit registers in decimal (-32768 to 65535), two bytes each, "
                    "most significant first: the first value's (--strict: exactly one)"},
    {"--each", "every value in the line, printed apart by spaces (or --delimiter)"},
    {"--strict", "each line clean hex with exactly one value's bytes; any other line ends "
                 "the run (status 2)"},
    {"--field", "TEXT is field N of each line, read as RFC 4180 CSV; the results are "
                "appended to the line as new fields"},
    {"--delimiter", "the fields' delimiter (--field) or what stands between values (--each): "
                    "one character (, by default), tab, or space for runs of blanks"},
    {"--replace"},
    {"--header"},
    {"--binary", "standard input (or FILE) is raw bytes: consecutive values, one result a "
                 "line, in constant memory"},
    {"--skip"},
};

constexpr std::string_view kHexExamples =
    "  tarvel-cli float 3F800000                       1.000000\n"
    "  tarvel-cli float --order CDAB 0FDB 4049         3.141593\n"
    "  tarvel-cli float --registers 16457 4059         3.141593\n"
    "  tarvel-cli float --format shortest 3DCCCCCD     0.1\n"
    "  tarvel-cli float --strict < column.txt          # refuses a line that is not hex\n"
    "  tarvel-cli float --field 2 --order CDAB < log.csv   # appends a column\n"
    "  tarvel-cli float --binary --skip 16 capture.bin     # raw bytes after a header\n";

} // namespace

// clang-format off
const CliCommand kFloatCommand{
    {.name = "float",
     .synopsis = kHexSynopsis,
     .summary = "hex bytes -> 32-bit float (\"32 bit float\")",
     .description =
         "The dialog's \"32 bit float\": the bytes of TEXT, most significant first, as an\n"
         "IEEE 754 binary32 value, written with six decimals as C's %f writes them.\n"
         "TEXT is read as the dialog reads it: the first pairs of hex digits anywhere\n"
         "in it, so a text that is not hex still gives a number (\"xyz\" gives 0);\n"
         "--strict, --each and --registers read it strictly instead. Several TEXT\n"
         "words are joined by spaces. Without TEXT, each line of standard input is\n"
         "one, and each result is a line (a column).\n",
     .options = kHexOptions,
     .examples = kHexExamples},
    Conversion::Float, Run, InSession::Dialog};

const CliCommand kDoubleCommand{
    {.name = "double",
     .synopsis = kHexSynopsis,
     .summary = "hex bytes -> 64-bit double (\"64 bit double\")",
     .description =
         "The dialog's \"64 bit double\": the bytes of TEXT, most significant first, as\n"
         "an IEEE 754 binary64 value, written with six decimals. TEXT is read as float\n"
         "reads it (tarvel-cli float --help); without TEXT, each line of standard\n"
         "input is one.\n",
     .options = kHexOptions,
     .examples =
         "  tarvel-cli double 40 09 21 FB 54 44 2D 18       3.141593\n"
         "  tarvel-cli double --format shortest 3FB999999999999A   0.1\n"
         "  tarvel-cli double --order DCBA 182D4454FB210940   3.141593\n"},
    Conversion::Double, Run, InSession::Dialog};

const CliCommand kHalfCommand{
    {.name = "half",
     .synopsis = kHexSynopsis,
     .summary = "hex bytes -> IEEE 754 binary16",
     .description =
         "The first two bytes of TEXT, read as \"32 bit float\" reads its bytes, as an\n"
         "IEEE 754 binary16 (half precision) value. TEXT is read as float reads it\n"
         "(tarvel-cli float --help); without TEXT, each line of standard input is one.\n",
     .options = kHexOptions,
     .examples = "  tarvel-cli half 3C00                            1.000000\n"
                 "  tarvel-cli half --each 3C00 4000 4200           1.000000 2.000000 3.000000\n"},
    Conversion::Half, Run, InSession::Dialog};

const CliCommand kBFloat16Command{
    {.name = "bfloat16",
     .synopsis = kHexSynopsis,
     .summary = "hex bytes -> bfloat16",
     .description =
         "The first two bytes of TEXT, read as \"32 bit float\" reads its bytes, as a\n"
         "bfloat16 value (the upper half of a binary32). TEXT is read as float reads\n"
         "it (tarvel-cli float --help); without TEXT, each line of standard input is\n"
         "one.\n",
     .options = kHexOptions,
     .examples = "  tarvel-cli bfloat16 3F80                        1.000000\n"
                 "  tarvel-cli bfloat16 --format exact 3DCD         0.10009765625\n"},
    Conversion::BFloat16, Run, InSession::Dialog};

const CliCommand kPsiCommand{
    {.name = "psi",
     .synopsis = kPressureSynopsis,
     .summary = "kPa -> psi (\"KP to PSI\")",
     .description =
         "The dialog's \"KP to PSI\": KPA typed into the value field, the button\n"
         "clicked, the result field printed: kPa x 0.1450377438972831 (14.50377 psi\n"
         "to the bar). KPA is read as the dialog reads a number, so a text that is\n"
         "not one gives 0. Without KPA, each line of standard input is one.\n",
     .options = kNumberColumnOptions,
     .examples = "  tarvel-cli psi 100                              14.503774\n"
                 "  tarvel-cli psi --format shortest 100            14.50377438972831\n"},
    Conversion::Psi, Run, InSession::Dialog};

const CliCommand kMetresCommand{
    {.name = "metres",
     .synopsis = kPressureSynopsis,
     .summary = "kPa -> metres of seawater head (\"KPa to metres\")",
     .description =
         "The dialog's \"KPa to metres\": an absolute pressure in kPa to metres of\n"
         "seawater head, (kPa x 0.1450377438972831 - 14.50377) x 0.68525: 14.50377\n"
         "psi at the surface and 0.68525 m per psi (seawater of 1026 kg/m^3). KPA is\n"
         "read as the dialog reads a number. For other surfaces, waters and models,\n"
         "see tarvel-cli depth --help.\n",
     .options = kNumberColumnOptions,
     .examples = "  tarvel-cli metres 200                           9.938714\n"
                 "  tarvel-cli metres --field 3 < log.csv           # appends a column\n"},
    Conversion::Metres, Run, InSession::Dialog};
// clang-format on

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

// --binary reads raw bytes (a FILE word, or standard input); --field takes
// each line's TEXT from a field; --strict, --each or --registers read the
// bytes strictly; otherwise the dialog reads each TEXT, or each line of
// standard input without one.
int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    const bool strict = options.strict || options.each || options.registers;
    if (options.binary || strict) {
        const ValueDecoder decoder(ValueTypeOf(command.conversion), options,
                                   std::string(command.usage.name));
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
        ColumnConverter converter(command.conversion, options, command.usage.name);
        return RunLines(converter, LineShapeOf(options, ' '), io);
    }
    if (words.empty())
        return RunColumn(command, options, io);
    ConverterSession session;
    return WriteOut(io, session.RunWith(command.conversion, options, JoinWords(words)) + "\n");
}

} // namespace
