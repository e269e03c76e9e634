// Each command's help and its parsing come from one usage: every option its
// help lists is taken, every other option is refused by name.
#include "cli/commands/command.h"
#include "cli/options/option_table.h"
#include "tests/cli_in_memory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// An argument the option takes: its first name, the least number its rule
// allows, or a delimiter.
std::string ArgumentFor(const OptionEntry& entry)
{
    if (!entry.values.empty())
        return std::string(entry.values.front());
    if (!entry.number)
        return ",";
    const NumberRule& rule = *entry.number;
    const double low = std::isinf(rule.low) ? 0 : rule.lowOpen ? rule.low + 1 : rule.low;
    char text[32];
    std::snprintf(text, sizeof text, "%g", low);
    return text;
}

class Usage : public testing::TestWithParam<std::string> {};

TEST_P(Usage, HelpListsExactlyTheOptionsParsingTakes)
{
    const std::string name = GetParam();
    const CliCommand& command = *FindCliCommand(name);
    const CliOutcome help = RunCliInMemory({name, "--help"}, "", false);
    ASSERT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: tarvel-cli " + name + " ")) << help.out;
    for (const OptionEntry& entry : CliOptionTable()) {
        std::vector<std::string> args = {name, std::string(entry.name)};
        if (!entry.argument.empty())
            args.push_back(ArgumentFor(entry));
        const CliOutcome outcome = RunCliInMemory(args, "", false);
        const bool listed =
            help.out.find("\n  " + std::string(entry.name) + " ") != std::string::npos ||
            help.out.find("\n  " + std::string(entry.name) + "\n") != std::string::npos;
        EXPECT_EQ(listed, Takes(command.usage, entry.name)) << entry.name;
        const std::string refusal = "'" + std::string(entry.name) + "' is not an option of " + name;
        if (listed)
            EXPECT_EQ(outcome.err.find("not an option"), std::string::npos)
                << entry.name << ": " << outcome.err;
        else
            EXPECT_TRUE(outcome.status == 2 && outcome.err.find(refusal) != std::string::npos)
                << entry.name << ": " << outcome.err;
    }
}

// -h and --help anywhere among a command's words, and on a session line,
// print that command's help and nothing else.
TEST_P(Usage, EveryFormOfHelpPrintsTheCommandsHelp)
{
    const std::string name = GetParam();
    const std::string help = RunCliInMemory({name, "--help"}, "", false).out;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{name, "-h"}, {name, "1", "-h"}, {"--", name, "--help"},
          {name, "--bogus", "--help"}}) {
        const CliOutcome outcome = RunCliInMemory(args, "", false);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, help) << args.back();
    }
    if (FindCliCommand(name)->session != InSession::No) {
        EXPECT_EQ(RunCliInMemory({}, name + " --help\n", false).out, help);
    }
}

// The words of a shell command line, single quotes taken away.
std::vector<std::string> ShellWords(std::string_view line)
{
    std::vector<std::string> words(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '\'')
            quoted = !quoted;
        else if (c == ' ' && !quoted && !words.back().empty())
            words.emplace_back();
        else if (c != ' ' || quoted)
            words.back() += c;
    }
    return words;
}

// Each example that shows its result prints it: "  tarvel-cli WORDS  RESULT",
// the result on the next line where the words fill one. Those that need a
// device, a file or a pipe, or say what they do after "#", are read only.
TEST_P(Usage, ExamplesPrintWhatTheyShow)
{
    std::string_view examples = FindCliCommand(GetParam())->usage.examples;
    while (!examples.empty()) {
        const std::string_view line = examples.substr(0, examples.find('\n'));
        examples.remove_prefix(std::min(line.size() + 1, examples.size()));
        ASSERT_TRUE(line.starts_with("  tarvel-cli ")) << line;
        const std::size_t gap = line.find("  ", 2);
        const std::string_view command =
            line.substr(13, gap == std::string_view::npos ? gap : gap - 13);
        std::string_view result = gap == std::string_view::npos
                                      ? std::string_view()
                                      : line.substr(line.find_first_not_of(' ', gap));
        if (result.empty() && examples.starts_with("    ")) {
            result = examples.substr(0, examples.find('\n'));
            examples.remove_prefix(std::min(result.size() + 1, examples.size()));
            result.remove_prefix(result.find_first_not_of(' '));
        }
        if (result.empty() || result.starts_with('#') || command.starts_with("read ") ||
            command.find_first_of("<|") != std::string_view::npos)
            continue;
        const CliOutcome outcome = RunCliInMemory(ShellWords(command), "", false);
        EXPECT_EQ(outcome.out, std::string(result) + "\n") << line;
    }
}

std::vector<std::string> CommandNames()
{
    std::vector<std::string> names;
    for (const CliCommand* command : CliCommandTable())
        names.emplace_back(command->usage.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Commands, Usage, testing::ValuesIn(CommandNames()), [](const auto& row) {
    std::string name = row.param;
    std::erase(name, '-');
    return name;
});

TEST(Overview, ListsEveryCommandAndPointsToTheirHelp)
{
    for (const char* form : {"--help", "-h"}) {
        const CliOutcome outcome = RunCliInMemory({form}, "", false);
        EXPECT_EQ(outcome.status, 0);
        for (const std::string& name : CommandNames())
            EXPECT_NE(outcome.out.find("\n  " + name + " "), std::string::npos) << name;
        EXPECT_NE(outcome.out.find("tarvel-cli COMMAND --help"), std::string::npos);
    }
}

} // namespace
