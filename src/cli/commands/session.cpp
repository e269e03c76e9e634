// tarvel-cli without a command: a session, each line of standard input a
// command (and its options and TEXT) run on one dialog, so fields carry over
// from line to line as they do in the window.
#include "cli/commands/session.h"

#include "cli/commands/command.h"
#include "cli/convert/converter_session.h"
#include "cli/convert/pressure_line.h"
#include "cli/input/byte_text.h"
#include "cli/input/run_status.h"
#include "cli/options/option_checks.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// A session line: its command (after any leading blanks) and, after the
// blanks (spaces or tabs) that follow it, its text. Null command when the
// name is unknown.
struct ScriptLine {
    const CliCommand* command;
    std::string_view name;
    std::optional<std::string_view> text;
};

ScriptLine ParseScriptLine(std::string_view line)
{
    const std::size_t start = std::min(line.find_first_not_of(" \t"), line.size());
    const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
    ScriptLine parsed{nullptr, line.substr(start, end - start), std::nullopt};
    if (end < line.size()) {
        const std::size_t text = std::min(line.find_first_not_of(" \t", end), line.size());
        // One blank after the command always goes, so "psi " types an empty text.
        parsed.text = line.substr(std::max(text, end + 1));
    }
    parsed.command = FindCliCommand(parsed.name);
    return parsed;
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
    const auto taken = ParseCliOptions(words, parsed.command->usage, options, error);
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

} // namespace

int RunSession(const CliStreams& io)
{
    ConverterSession session;
    return RunEachLine(
        io, [&](std::string_view line, OutputBuffer& out, const BlockReader& input, int& status) {
            if (IsBlank(line))
                return true;
            const ScriptLine parsed = ParseScriptLine(line);
            std::string error;
            CliOptions options;
            std::optional<std::string> text;
            bool help = false;
            if (parsed.command == nullptr)
                error = "unknown command '" + Printable(parsed.name) + "'";
            else if (parsed.command->session == InSession::No)
                error = "'" + std::string(parsed.name) + "' is not a session command";
            else
                SplitOptions(parsed, options, text, help, error);
            if (help) {
                const std::string shown = CommandHelp(parsed.command->usage);
                out.Append(shown.data(), shown.size());
                return true;
            }
            if (error.empty() && parsed.command->session == InSession::Beside) {
                std::string result;
                if (PressureCommandLine(parsed.command->conversion, options, text.value_or(""),
                                        result, error)) {
                    out.AppendLine(result.data(), result.size());
                    return true;
                }
            }
            if (!error.empty()) { // typed at a terminal, the session goes on
                status = kUsageError;
                return ReportBadLine(out, input, io, error) && io.interactive;
            }
            const std::string shown =
                session.RunWith(parsed.command->conversion, options,
                                text ? std::optional<std::string_view>(*text) : std::nullopt);
            out.AppendLine(shown.data(), shown.size());
            return true;
        });
}
