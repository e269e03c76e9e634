#include "cli/run_tarvel_cli.h"

#include "cli/block_reader.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/column.h"
#include "cli/converter_session.h"
#include "cli/encode_command.h"
#include "cli/inspect_command.h"
#include "cli/output_buffer.h"
#include "cli/pressure_command.h"
#include "cli/printable.h"
#include "cli/run_status.h"
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
    "\n"
    "With TEXT, types it into the command's input field, clicks the button and\n"
    "prints the field it wrote. Without TEXT, each line of standard input is a\n"
    "TEXT. Without a COMMAND, each line of standard input is \"COMMAND\" (click\n"
    "only) or \"COMMAND [OPTION...] TEXT\", applied in order on one dialog; each\n"
    "line runs as it is read, and a line with an unknown command ends the run\n"
    "(typed at a terminal, it is reported and skipped).\n"
    "\n"
    "Options follow the command and come before any TEXT; \"--\" ends them, and\n"
    "an argument with a single '-' (\"-5\") is TEXT. The order says how the bytes\n"
    "read from the text make the value; they are read as the dialog reads them.\n"
    "Formats: fixed (six decimals, the dialog's), shortest (fewest digits that\n"
    "read back to the same value at its own precision), exact (every digit of\n"
    "the binary value), hex (C's %a). inf, -inf, nan, -nan in every format.\n";

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
    "  printf 'float 3F800000\\npsi\\n' | tarvel-cli\n"
    "\n"
    "Results are written as soon as no more input is waiting. A line longer than\n"
    "64 MiB is reported, with its number, after the results before it.\n"
    "\n"
    "Exit status: 0 done; 1 input could not be read, a line was too long or\n"
    "output could not be written; 2 an unknown command, option or name, or a\n"
    "value that is not a number.\n"
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

// A line of nothing but spaces and tabs holds no command.
bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A session line's options, and the TEXT after them as it stands.
bool SplitOptions(const ScriptLine& parsed, CliOptions& options,
                  std::optional<std::string_view>& text, std::string& error)
{
    text = parsed.text;
    if (!parsed.text)
        return true;
    const std::vector<std::string_view> words = SplitWords(*parsed.text);
    const auto taken = ParseCliOptions(words, parsed.command->kind, options, error);
    if (!taken)
        return false;
    std::size_t offset = 0;
    for (std::size_t k = 0; k < *taken; ++k)
        offset += words[k].size() + 1;
    text = offset > parsed.text->size() ? std::nullopt : std::optional(parsed.text->substr(offset));
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
        std::optional<std::string_view> text;
        if (parsed.command == nullptr)
            error = "unknown command '" + Printable(parsed.name) + "'";
        else if ((parsed.command->kind & (kEncodeCommand | kInspectCommand)) != 0)
            error = "'" + std::string(parsed.name) + "' is not a session command";
        else
            SplitOptions(parsed, options, text, error);
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
        const std::string shown = session.RunWith(*parsed.command, options, text);
        out.AppendLine(shown.data(), shown.size());
        return true;
    });
}

} // namespace

int RunTarvelCli(int argc, char** argv, const CliStreams& io)
{
    const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
    std::size_t first = 0;
    if (first < args.size() && args[first] == "--help")
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
    const auto words = std::span(args).subspan(first + 1);
    CliOptions options;
    std::string error;
    const auto taken = ParseCliOptions(words, command->kind, options, error);
    if (!taken)
        return UsageError(io, error);
    const auto rest = words.subspan(*taken);
    if (command->conversion == Conversion::Encode)
        return RunEncode(options, rest, io);
    if (command->conversion == Conversion::Inspect)
        return RunInspect(options, rest, io);
    if ((command->kind & (kUnitsCommand | kDepthCommand)) != 0)
        return RunPressureCommand(*command, options, rest, io);
    if (rest.empty())
        return RunColumn(*command, options, io);
    ConverterSession session;
    return WriteOut(io, session.RunWith(*command, options, JoinWords(rest)) + "\n");
}
