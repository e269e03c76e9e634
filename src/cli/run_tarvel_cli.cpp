#include "cli/run_tarvel_cli.h"

#include "cli/cli_command.h"
#include "cli/converter_session.h"
#include "cli/line_input.h"
#include "res/version.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

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
    "\"COMMAND\" (click only) or \"COMMAND TEXT\", applied in order on one dialog.\n"
    "\n"
    "Examples:\n"
    "  tarvel-cli float 3F800000        prints 1.000000\n"
    "  tarvel-cli double 40 09 21 FB 54 44 2D 18\n"
    "  tarvel-cli metres 200            prints 9.938714\n"
    "  printf 'float 3F800000\\npsi\\n' | tarvel-cli\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

void WriteLine(const CString& text, std::FILE* out)
{
    const std::string_view bytes = text.Bytes();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fputc('\n', out);
}

// Each input line is a TEXT for one command.
void RunColumn(const CliCommand& command, const CliStreams& io)
{
    ConverterSession session;
    LineInput input(io.in);
    for (std::string_view line; input.Next(line);)
        WriteLine(session.Run(command, line), io.out);
}

// A session script. Read as a whole and checked before anything runs, so a
// bad line leaves standard output empty; typed at a terminal, each line runs
// as it comes and a bad one is reported and skipped.
int RunScript(const CliStreams& io)
{
    ConverterSession session;
    LineInput input(io.in);
    std::vector<std::string> script;
    int status = 0;
    std::size_t lineNumber = 0;
    for (std::string_view line; input.Next(line);) {
        ++lineNumber;
        if (line.empty())
            continue; // a blank line holds no command
        const ScriptLine parsed = ParseScriptLine(line);
        if (parsed.command == nullptr) {
            std::fprintf(io.err, "tarvel-cli: line %zu: unknown command '%.*s'\n", lineNumber,
                         static_cast<int>(parsed.name.size()), parsed.name.data());
            if (!io.interactive)
                return kUsageError;
            status = kUsageError;
            continue;
        }
        if (io.interactive)
            WriteLine(session.Run(*parsed.command, parsed.text), io.out);
        else
            script.emplace_back(line);
    }
    for (const std::string& line : script)
        WriteLine(*session.RunLine(line), io.out);
    return status;
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

} // namespace

int RunTarvelCli(int argc, char** argv, const CliStreams& io)
{
    if (argc < 2)
        return RunScript(io);

    const std::string_view first = argv[1];
    if (first == "--help") {
        std::fputs(kHelp, io.out);
        return 0;
    }
    if (first == "--version") {
        std::fputs(TARVEL_INTERNAL_NAME " " TARVEL_VERSION_TEXT "\n", io.out);
        return 0;
    }
    const CliCommand* command = FindCliCommand(first);
    if (command == nullptr) {
        std::fprintf(io.err, "tarvel-cli: unknown %s '%s' (see tarvel-cli --help)\n",
                     first.starts_with('-') ? "option" : "command", argv[1]);
        return kUsageError;
    }
    if (argc == 2) {
        RunColumn(*command, io);
        return 0;
    }
    ConverterSession session;
    WriteLine(session.Run(*command, JoinArguments(argc, argv, 2)), io.out);
    return 0;
}
