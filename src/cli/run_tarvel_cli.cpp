#include "cli/run_tarvel_cli.h"

#include "cli/commands/command.h"
#include "cli/commands/session.h"
#include "cli/input/run_status.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"
#include "res/version.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "Usage: tarvel-cli COMMAND [OPTION...] [TEXT...]\n"
    "       tarvel-cli                 (one command per line of standard input)\n"
    "\n"
    "The Tarvel converter dialog without a window, and what the dialog does not\n"
    "do, on the same conversion code. Results are written as C's %f writes them,\n"
    "six decimals by default, with \".\" as the decimal point whatever the locale.\n"
    "\n"
    "Commands:\n";

constexpr std::string_view kRules =
    "\n"
    "A word starting with \"--\" is an option wherever it stands, until a \"--\"\n"
    "word ends the options; a single-dash word (\"-5\") is TEXT, except -h.\n"
    "Without TEXT, a command reads each line of standard input as one. Results\n"
    "are written as soon as no more input is waiting; a line longer than 64 MiB\n"
    "is reported, with its number, after the results before it.\n"
    "\n"
    "Without a COMMAND, each line of standard input is \"COMMAND\" (a click only)\n"
    "or \"COMMAND [OPTION...] TEXT\", run in order on one dialog as it is read, so\n"
    "\"float 3F800000\" then \"psi\" converts the value just decoded. encode,\n"
    "inspect, record and read are not session commands. A line with an unknown\n"
    "command ends the run (typed at a terminal, it is reported and skipped).\n"
    "\n"
    "Exit status: 0 done; 1 input could not be read, a line was too long,\n"
    "output could not be written, or a device read failed; 2 an unknown\n"
    "command, option or name, options that contradict each other, or a value\n"
    "that is not a number or is out of range (a bad line ends a column after\n"
    "the results before it).\n"
    "\n"
    "  -h, --help     show this help\n"
    "  --version      show the version\n"
    "\n"
    "\"tarvel-cli COMMAND --help\" shows a command's options and examples.\n";

// The commands, a line each, between the usage and the rules every command
// shares.
std::string Overview()
{
    std::string text(kUsage);
    for (const CliCommand* command : CliCommandTable()) {
        std::string name = "  " + std::string(command->usage.name);
        name.resize(15, ' ');
        text += name + std::string(command->usage.summary) + "\n";
    }
    return text + std::string(kRules);
}

} // namespace

int RunTarvelCli(int argc, char** argv, const CliStreams& io)
{
    const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
    std::size_t first = 0;
    if (first < args.size() && (args[first] == "--help" || args[first] == "-h"))
        return WriteOut(io, Overview());
    if (first < args.size() && args[first] == "--version")
        return WriteOut(io, TARVEL_INTERNAL_NAME " " TARVEL_VERSION_TEXT "\n");
    if (first < args.size() && args[first] == "--")
        ++first;
    if (first >= args.size())
        return RunSession(io);

    const std::string_view name = args[first];
    const CliCommand* command = FindCliCommand(name);
    if (command == nullptr)
        return UsageError(io, std::string("unknown ") +
                                  (first == 0 && name.starts_with('-') ? "option" : "command") +
                                  " '" + Printable(name) + "' (see tarvel-cli --help)");
    CliOptions options;
    std::string error;
    const auto words =
        ParseCliOptions(std::span(args).subspan(first + 1), command->usage, options, error);
    if (!words)
        return UsageError(io, error);
    if (words->help)
        return WriteOut(io, CommandHelp(command->usage));
    return command->run(*command, options, words->text, io);
}
