#include "cli/options/command_usage.h"

#include "cli/options/option_table.h"

#include <algorithm>

namespace {

constexpr std::size_t kHelpColumn = 22; // where an option's line starts
constexpr std::size_t kWidth = 79;

// "--order ORDER".
std::string OptionWords(const OptionEntry& entry)
{
    return entry.argument.empty() ? std::string(entry.name)
                                  : std::string(entry.name) + " " + std::string(entry.argument);
}

std::string_view HelpOf(const OptionUse& use, const OptionEntry& entry)
{
    return use.help.empty() ? entry.help : use.help;
}

// "  LEFT  help" with the help filled to kWidth, lines after the first
// indented to kHelpColumn.
std::string HelpLine(std::string_view left, std::string_view help)
{
    std::string text = "  " + std::string(left);
    std::size_t column = text.size();
    if (column + 2 > kHelpColumn) {
        text += "\n";
        column = 0;
    }
    text.append(kHelpColumn - column, ' ');
    column = kHelpColumn;
    bool first = true;
    for (std::size_t at = 0; at < help.size();) {
        const std::size_t end = std::min(help.find(' ', at), help.size());
        const std::string_view word = help.substr(at, end - at);
        if (!first && column + 1 + word.size() > kWidth) {
            text += "\n" + std::string(kHelpColumn, ' ');
            column = kHelpColumn;
        } else if (!first) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
        first = false;
        at = end + 1;
    }
    return text + "\n";
}

// `text` as roff reads it literally: backslashes and hyphens escaped, and
// a line that would start with a request guarded.
std::string Roff(std::string_view text)
{
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        out += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
        lineStart = c == '\n';
    }
    return out;
}

} // namespace

bool Takes(const CommandUsage& usage, std::string_view name)
{
    return std::any_of(usage.options.begin(), usage.options.end(),
                       [name](const OptionUse& use) { return use.name == name; });
}

std::string CommandHelp(const CommandUsage& usage)
{
    std::string text;
    std::string_view synopsis = usage.synopsis;
    for (std::string_view lead = "Usage: "; !synopsis.empty(); lead = "       ") {
        const std::size_t end = std::min(synopsis.find('\n'), synopsis.size());
        text += std::string(lead) + "tarvel-cli " + std::string(usage.name) + " " +
                std::string(synopsis.substr(0, end)) + "\n";
        synopsis.remove_prefix(std::min(end + 1, synopsis.size()));
    }
    text += "\n" + std::string(usage.description) + "\nOptions:\n";
    for (const OptionUse& use : usage.options)
        if (const OptionEntry* entry = FindOption(use.name))
            text += HelpLine(OptionWords(*entry), HelpOf(use, *entry));
    text += HelpLine("-h, --help", "show this help");
    if (usage.more != nullptr)
        text += "\n" + usage.more();
    return text + "\nExamples:\n" + std::string(usage.examples);
}

std::string CommandManSection(const CommandUsage& usage)
{
    std::string_view synopsis = usage.synopsis;
    std::string text = ".SS \"" + Roff(usage.name) + "\"\n";
    while (!synopsis.empty()) {
        const std::size_t end = std::min(synopsis.find('\n'), synopsis.size());
        text += ".B tarvel\\-cli " + Roff(usage.name) + "\n" + Roff(synopsis.substr(0, end)) +
                "\n.br\n";
        synopsis.remove_prefix(std::min(end + 1, synopsis.size()));
    }
    text += ".PP\n" + Roff(usage.description);
    for (const OptionUse& use : usage.options)
        if (const OptionEntry* entry = FindOption(use.name))
            text +=
                ".TP\n.B " + Roff(OptionWords(*entry)) + "\n" + Roff(HelpOf(use, *entry)) + "\n";
    if (usage.more != nullptr)
        text += ".PP\n.nf\n" + Roff(usage.more()) + ".fi\n";
    return text + ".PP\nExamples:\n.PP\n.nf\n" + Roff(usage.examples) + ".fi\n";
}
