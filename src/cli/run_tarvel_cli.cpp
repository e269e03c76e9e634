#include "cli/run_tarvel_cli.h"

#include "cli/block_input.h"
#include "cli/cli_command.h"
#include "cli/column.h"
#include "cli/converter_session.h"
#include "cli/output_buffer.h"
#include "cli/printable.h"
#include "core/render.h"
#include "res/version.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

const char kHelp[] =
    "Usage: tarvel-cli COMMAND [TEXT...]\n"
    "       tarvel-cli                 (one command per line of standard input)\n"
    "\n"
    "Drives the Tarvel converter dialog without a window. COMMAND is a button:\n"
    "  float   \"32 bit float\"   hex bytes, most significant first -> value\n"
    "  double  \"64 bit double\"  hex bytes, most significant first -> value\n"
    "  psi     \"KP to PSI\"      value in kPa -> psi\n"
    "  metres  \"KPa to metres\"  value in kPa -> metres of seawater head\n"
    "\n"
    "With TEXT, types it into the button's input field, clicks the button and\n"
    "prints the field the button wrote. Without TEXT, each line of standard\n"
    "input is a TEXT. Without a COMMAND, each line of standard input is\n"
    "\"COMMAND\" (click only) or \"COMMAND TEXT\", applied in order on one dialog;\n"
    "each line runs as it is read, and a line with an unknown command ends the\n"
    "run (typed at a terminal, it is reported and skipped).\n"
    "\n"
    "Results are written as soon as no more input is waiting. A line longer than\n"
    "64 MiB is reported, with its number, after the results before it.\n"
    "\n"
    "Exit status: 0 done; 1 input could not be read, a line was too long or\n"
    "output could not be written; 2 an unknown command or option.\n"
    "\n"
    "Examples:\n"
    "  tarvel-cli float 3F800000        prints 1.000000\n"
    "  tarvel-cli double 40 09 21 FB 54 44 2D 18\n"
    "  tarvel-cli metres 200            prints 9.938714\n"
    "  printf 'float 3F800000\\npsi\\n' | tarvel-cli\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "  --         ends the options: what follows is a COMMAND and its TEXT\n";

// How a run ends once its input stops: every pending result is written
// first, then what stopped it is reported.
int Finish(BlockInput::Status got, const BlockInput& input, OutputBuffer& out,
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

// Each input line is a TEXT for one command, converted by the core directly,
// a block of lines at a time.
int RunColumn(const CliCommand& command, const CliStreams& io)
{
    Column column(command.conversion);
    OutputBuffer out(io.out, io.interrupted);
    BlockInput input(io.in, io.interrupted);
    const auto convert = [&](std::string_view line) {
        char* end = column.Convert(line, out.Reserve(kFixed6MaxLength + 1));
        *end++ = '\n';
        out.Commit(end);
    };
    std::span<char> lines;
    BlockInput::Status got;
    while ((got = input.NextBlock(lines, out)) == BlockInput::Status::Line && !out.Failed())
        input.SkipLines(ForEachLine(lines, convert));
    return Finish(got, input, out, io, 0);
}

// A line of nothing but spaces and tabs holds no command.
bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A session script, each line run on one dialog as it is read.
int RunScript(const CliStreams& io)
{
    ConverterSession session;
    OutputBuffer out(io.out, io.interrupted);
    BlockInput input(io.in, io.interrupted);
    int status = 0;
    std::string_view line;
    BlockInput::Status got;
    while ((got = input.Next(line, out)) == BlockInput::Status::Line && !out.Failed()) {
        if (IsBlank(line))
            continue;
        const ScriptLine parsed = ParseScriptLine(line);
        if (parsed.command == nullptr) {
            if (!out.Flush()) // the results before it come first
                break;
            std::fprintf(io.err, "tarvel-cli: line %zu: unknown command '%s'\n",
                         input.LineNumber(), Printable(parsed.name).c_str());
            status = kUsageError;
            if (!io.interactive)
                break;
            continue;
        }
        const std::string_view shown = session.Run(*parsed.command, parsed.text).Bytes();
        out.AppendLine(shown.data(), shown.size());
    }
    return Finish(got, input, out, io, status);
}

std::string JoinArguments(int argc, char** argv, int first)
{
    std::string text;
    for (int k = first; k < argc; ++k) {
        if (k > first)
            text.push_back(' ');
        text.append(argv[k]);
    }
    return text;
}

// Writes `text` and reports a failed write.
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

} // namespace

int RunTarvelCli(int argc, char** argv, const CliStreams& io)
{
    int first = 1;
    if (first < argc && std::string_view(argv[first]) == "--help")
        return WriteOut(io, kHelp);
    if (first < argc && std::string_view(argv[first]) == "--version")
        return WriteOut(io, TARVEL_INTERNAL_NAME " " TARVEL_VERSION_TEXT "\n");
    if (first < argc && std::string_view(argv[first]) == "--")
        ++first;
    if (first >= argc)
        return RunScript(io);

    const std::string_view name = argv[first];
    const CliCommand* command = FindCliCommand(name);
    if (command == nullptr) {
        const bool option = first == 1 && name.starts_with('-');
        std::fprintf(io.err, "tarvel-cli: unknown %s '%s' (see tarvel-cli --help)\n",
                     option ? "option" : "command", Printable(name).c_str());
        return kUsageError;
    }
    if (first + 1 == argc)
        return RunColumn(*command, io);
    ConverterSession session;
    std::string shown(session.Run(*command, JoinArguments(argc, argv, first + 1)).Bytes());
    shown += '\n';
    return WriteOut(io, shown);
}
