#include "cli/run_tarvel_cli.h"

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/converter_session.h"
#include "cli/encode_command.h"
#include "cli/input/block_reader.h"
#include "cli/input/byte_text.h"
#include "cli/inspect_command.h"
#include "cli/option_checks.h"
#include "cli/output_buffer.h"
#include "cli/pressure_command.h"
#include "cli/printable.h"
#include "cli/read_command.h"
#include "cli/record_command.h"
#include "cli/run_status.h"
#include "cli/value_command.h"
#include "core/pressure_units.h"
#include "res/version.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

const char kUsage[] =
    "Usage: tarvel-cli COMMAND [OPTION...] [TEXT...]\n"
    "       tarvel-cli                 (one command per line of standard input)\n"
    "\n"
    "Drives the Tarvel converter dialog without a window. The dialog's buttons:\n"
    "  float     \"32 bit float\"   hex bytes, most significant first -> value\n"
    "  double    \"64 bit double\"  hex bytes, most significant first -> value\n"
    "  psi       \"KP to PSI\"      value in kPa -> psi\n"
    "  metres    \"KPa to metres\"  value in kPa -> metres of seawater head\n"
    "and beyond them:\n"
    "  half      hex bytes -> IEEE 754 binary16 value (the first two bytes)\n"
    "  bfloat16  hex bytes -> bfloat16 value (the first two bytes)\n"
    "  encode TYPE VALUE   the bytes of VALUE as TYPE: float, double, half,\n"
    "                      bfloat16; rounded once, to nearest, ties to even\n"
    "  inspect [TEXT]      every type and byte order the bytes can be\n"
    "  pressure VALUE FROM TO   a pressure from one unit to another\n"
    "  depth KPA           absolute pressure in kPa -> depth in metres\n"
    "  pressure-at METRES  depth in metres -> absolute pressure in kPa\n"
    "  record LAYOUT [TEXT]   a record's bytes, field by field: LAYOUT is\n"
    "                      fields [NAME=]TYPE[:ORDER][*FACTOR][+OFFSET] and skip:N,\n"
    "                      apart by commas, \"...\" last to ignore the rest; TYPE\n"
    "                      int8 uint8 int16 uint16 int32 uint32 int64 uint64 half\n"
    "                      bfloat16 float double\n"
    "  read DEVICE ADDRESS WHAT   registers from a Modbus device, decoded; READ-ONLY:\n"
    "                      it never writes a register or a coil. DEVICE is\n"
    "                      tcp://HOST[:PORT] or a serial device (RTU); ADDRESS the\n"
    "                      register from 0 (--reference: 4xxxx/3xxxx from 1); WHAT\n"
    "                      a type, record LAYOUT, or inspect\n"
    "\n"
    "With TEXT, types it into the command's input field, clicks the button and\n"
    "prints the field it wrote. Without TEXT, each line of standard input is a\n"
    "TEXT. Without a COMMAND, each line of standard input is \"COMMAND\" (click\n"
    "only) or \"COMMAND [OPTION...] TEXT\", applied in order on one dialog; each\n"
    "line runs as it is read, and a line with an unknown command ends the run\n"
    "(typed at a terminal, it is reported and skipped).\n"
    "\n"
    "float, double, half and bfloat16 read a line as the dialog does: the first\n"
    "pairs of hex digits anywhere in it, so a line that is not hex still gives a\n"
    "number; --strict, --each and --registers read it strictly instead.\n"
    "\n"
    "A word starting with \"--\" is an option wherever it stands, until a \"--\"\n"
    "word ends the options; a single-dash word (\"-5\") is TEXT, except -h.\n"
    "-h, --help and COMMAND --help print this help. The order says how the bytes\n"
    "read from the text make the value; they are read as the dialog reads them.\n"
    "Formats: fixed (six decimals, the dialog's), shortest (fewest digits that\n"
    "read back to the same value at its own precision, laid out as std::to_chars\n"
    "does: a float or double integer in full), exact (every digit of the binary\n"
    "value), hex (C's %a). inf, -inf, nan, -nan in every format.\n";

const char kDepth[] =
    "\n"
    "Pressure and depth. \"KPa to metres\" (metres, and depth without options)\n"
    "computes (kPa x 0.1450377438972831 - 14.50377) x 0.68525: it takes the surface\n"
    "to be at 14.50377 psi (1 bar, cut to seven digits; not 1 atm) and the water to\n"
    "be seawater of 1026 kg/m^3 under standard gravity 9.80665 m/s^2 (0.68525 m\n"
    "per psi). --surface, --density or --fluid, --gravity or --latitude switch\n"
    "to depth = (P - P_surface) / (density x gravity), each value not given\n"
    "staying the dialog's. --model unesco --latitude DEG uses the UNESCO 1983\n"
    "seawater formula (Fofonoff and Millard, UNESCO technical papers in marine\n"
    "science 44) on the pressure above the surface in decibars. pressure-at is\n"
    "the inverse of each. These commands reject a VALUE that is not a number.\n"
    "\n"
    "Pressure units (the factor in pascals, and where it comes from):\n";

const char kEnd[] =
    "\n"
    "Examples:\n"
    "  tarvel-cli float 3F800000                  1.000000\n"
    "  tarvel-cli float --order CDAB 0FDB 4049    3.141593\n"
    "  tarvel-cli double --format shortest 3FB999999999999A   0.1\n"
    "  tarvel-cli half 3C00                       1.000000\n"
    "  tarvel-cli encode float 3.14159265         40 49 0F DB\n"
    "  tarvel-cli encode --registers float 3.14159265   16457 4059\n"
    "  tarvel-cli inspect --near 3.14 0F DB 40 49\n"
    "  tarvel-cli pressure 1 atm psi              14.695949\n"
    "  tarvel-cli depth --fluid freshwater 200    10.197165\n"
    "  tarvel-cli depth --model unesco --latitude 30 --surface 0 100000   9712.653072\n"
    "  tarvel-cli float --registers 16457 4059    3.141593\n"
    "  tarvel-cli half --each 3C00 4000 4200      1.000000 2.000000 3.000000\n"
    "  tarvel-cli float --strict < column.txt     refuses a line that is not hex\n"
    "  tarvel-cli record 'p=float:CDAB,t=int16*0.01,status=uint16' 0FDB4049 0929 0001\n"
    "                                             3.141593,23.450000,1\n"
    "  tarvel-cli record --header --json ...      names first; JSON objects\n"
    "  tarvel-cli float --field 2 --order CDAB < log.csv   appends a column\n"
    "  tarvel-cli float --field 2 --replace --header --delimiter tab < log.tsv\n"
    "  tarvel-cli float --binary --skip 16 capture.bin     raw bytes after a header\n"
    "  tarvel-cli read tcp://192.0.2.7 100 float --order CDAB   3.141593\n"
    "  tarvel-cli read --reference /dev/ttyUSB0 40101 inspect --near 3.14\n"
    "  tarvel-cli read tcp://192.0.2.7 100 float --watch 1 | tarvel-cli depth --field 2\n"
    "  printf 'float 3F800000\\npsi\\n' | tarvel-cli\n"
    "\n"
    "Results are written as soon as no more input is waiting. A line longer than\n"
    "64 MiB is reported, with its number, after the results before it.\n"
    "\n"
    "Exit status: 0 done; 1 input could not be read, a line was too long,\n"
    "output could not be written, or a device read failed; 2 an unknown\n"
    "command, option or name, options that contradict each other, or a value\n"
    "that is not a number or is out of range (a bad line ends a column after\n"
    "the results before it).\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

std::string HelpText()
{
    std::string text = kUsage;
    text += "\nOptions:\n";
    for (const OptionEntry& entry : CliOptionTable()) {
        std::string left = "  " + std::string(entry.name);
        if (!entry.argument.empty())
            left += " " + std::string(entry.argument);
        left.resize(std::max<std::size_t>(left.size() + 2, 20), ' ');
        text += left + std::string(entry.help) + "\n";
    }
    text += kDepth;
    for (const PressureUnit unit : ALL_PRESSURE_UNITS) {
        std::string name = "  " + std::string(PressureUnitName(unit));
        name.resize(8, ' ');
        text += name + std::string(PressureUnitSource(unit)) + "\n";
    }
    return text + kEnd;
}

// The TEXT of a session line's words: as it stands in the line when no
// option came between its words, else the words joined by single spaces.
std::optional<std::string> TextOf(std::span<const std::string_view> text, std::string_view line)
{
    if (text.empty())
        return std::nullopt;
    const char* const begin = text.front().data();
    const char* const end = text.back().data() + text.back().size();
    std::size_t length = text.size() - 1;
    for (const std::string_view word : text)
        length += word.size();
    if (static_cast<std::size_t>(end - begin) == length) // nothing taken out in between
        return std::string(line.substr(static_cast<std::size_t>(begin - line.data()), length));
    return JoinWords(text);
}

// A session line's options, and its TEXT.
bool SplitOptions(const ScriptLine& parsed, CliOptions& options, std::optional<std::string>& text,
                  bool& help, std::string& error)
{
    if (!parsed.text)
        return SettleDepthOptions(options, error);
    const std::vector<std::string_view> words = SplitWords(*parsed.text);
    const auto taken = ParseCliOptions(words, *parsed.command, options, error);
    if (!taken)
        return false;
    if (const char* name = CommandLineOnlyOption(options)) {
        error = "'" + std::string(name) + "' works on the command line, not in a session line";
        return false;
    }
    help = taken->help;
    text = TextOf(taken->text, *parsed.text);
    return true;
}

// A session script, each line run on one dialog as it is read.
int RunScript(const CliStreams& io)
{
    ConverterSession session;
    return RunEachLine(io, [&](std::string_view line, OutputBuffer& out, const BlockReader& input,
                               int& status) {
        if (IsBlank(line))
            return true;
        const ScriptLine parsed = ParseScriptLine(line);
        std::string error;
        CliOptions options;
        std::optional<std::string> text;
        bool help = false;
        if (parsed.command == nullptr)
            error = "unknown command '" + Printable(parsed.name) + "'";
        else if ((parsed.command->kind &
                  (kEncodeCommand | kInspectCommand | kRecordCommand | kReadCommand)) != 0)
            error = "'" + std::string(parsed.name) + "' is not a session command";
        else
            SplitOptions(parsed, options, text, help, error);
        if (help) {
            const std::string shown = HelpText();
            out.Append(shown.data(), shown.size());
            return true;
        }
        if (error.empty() && (parsed.command->kind & (kUnitsCommand | kDepthCommand)) != 0) {
            std::string result;
            if (PressureCommandLine(*parsed.command, options, text.value_or(""), result, error)) {
                out.AppendLine(result.data(), result.size());
                return true;
            }
        }
        if (!error.empty()) { // typed at a terminal, the session goes on
            status = kUsageError;
            return ReportBadLine(out, input, io, error) && io.interactive;
        }
        const std::string shown = session.RunWith(
            *parsed.command, options, text ? std::optional<std::string_view>(*text) : std::nullopt);
        out.AppendLine(shown.data(), shown.size());
        return true;
    });
}

} // namespace

int RunTarvelCli(int argc, char** argv, const CliStreams& io)
{
    const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
    std::size_t first = 0;
    if (first < args.size() && (args[first] == "--help" || args[first] == "-h"))
        return WriteOut(io, HelpText());
    if (first < args.size() && args[first] == "--version")
        return WriteOut(io, TARVEL_INTERNAL_NAME " " TARVEL_VERSION_TEXT "\n");
    if (first < args.size() && args[first] == "--")
        ++first;
    if (first >= args.size())
        return RunScript(io);

    const std::string_view name = args[first];
    const CliCommand* command = FindCliCommand(name);
    if (command == nullptr)
        return UsageError(io, std::string("unknown ") +
                                  (first == 0 && name.starts_with('-') ? "option" : "command") +
                                  " '" + Printable(name) + "' (see tarvel-cli --help)");
    CliOptions options;
    std::string error;
    const auto words =
        ParseCliOptions(std::span(args).subspan(first + 1), *command, options, error);
    if (!words)
        return UsageError(io, error);
    if (words->help)
        return WriteOut(io, HelpText());
    const std::span<const std::string_view> rest = words->text;
    if (command->conversion == Conversion::Encode)
        return RunEncode(options, rest, io);
    if (command->conversion == Conversion::Inspect)
        return RunInspect(options, rest, io);
    if (command->conversion == Conversion::Record)
        return RunRecord(options, rest, io);
    if (command->conversion == Conversion::Read)
        return RunRead(options, rest, io);
    if ((command->kind & (kUnitsCommand | kDepthCommand)) != 0)
        return RunPressureCommand(*command, options, rest, io);
    return RunValueCommand(*command, options, rest, io);
}
