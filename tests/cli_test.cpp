// Black-box tests of the built tarvel-cli: arguments in, bytes out.
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs tarvel-cli with `args` (shell words) and `input` on standard input.
CliResult RunCli(const std::string& args, const std::string& input = "")
{
    char dir[] = "/tmp/tarvel-cli-test-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        return {-1, "", "mkdtemp failed"};
    const std::string base = dir;
    std::ofstream(base + "/in", std::ios::binary) << input;
    const std::string command = std::string(TARVEL_CLI_PATH) + " " + args + " <" + base + "/in >" +
                                base + "/out 2>" + base + "/err";
    const int raw = std::system(command.c_str());
    CliResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(base + "/out"),
                     ReadFile(base + "/err")};
    std::system(("rm -rf " + base).c_str());
    return result;
}

struct CliRow {
    const char* name;
    std::string args;
    std::string input;
    std::string expected;
};

class CliTest : public testing::TestWithParam<CliRow> {};

TEST_P(CliTest, PrintsTheFieldTheButtonWrote)
{
    const CliRow& row = GetParam();
    const CliResult result = RunCli(row.args, row.input);
    EXPECT_EQ(result.status, 0) << row.args;
    EXPECT_EQ(result.out, row.expected) << "tarvel-cli " << row.args;
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliTest,
    testing::Values(
        CliRow{"Float", "float 3F800000", "", "1.000000\n"},
        CliRow{"FloatJoinsArguments", "float 3f 80 00 00", "", "1.000000\n"},
        CliRow{"FloatPrefix", "float 0x3F800000", "", "0.000000\n"},
        CliRow{"FloatLargest", "float 7F7FFFFF", "",
               "340282346638528859811704183484516925440.000000\n"},
        CliRow{"Double", "double 40 09 21 FB 54 44 2D 18", "", "3.141593\n"},
        CliRow{"Psi", "psi 101.325", "", "14.695949\n"},
        CliRow{"MetresNegativeText", "metres -7", "", "-10.634418\n"},
        CliRow{"MetresLeadingSpaces", "metres '  50kPa'", "", "-4.969353\n"},
        CliRow{"EmptyText", "psi ''", "", "0.000000\n"},
        CliRow{"OptionLikeText", "psi -- --help", "", "0.000000\n"},
        CliRow{"Column", "float", "3F800000\r\nBF800000\n40\n\n40490FDB",
               "1.000000\n-1.000000\n4.000000\n4.000000\n3.141593\n"},
        CliRow{"ColumnZeroByteEndsText", "float",
               std::string("3F80\0"
                           "0000\n",
                           10),
               "1.000000\n"},
        CliRow{"EmptyColumn", "psi", "", ""},
        CliRow{"Script", "",
               "float 3F800000\npsi\nfloat 40\nfloat\n\ndouble 3FF0000000000000\nmetres 200\n"
               "double 40\r\nmetres\n",
               "1.000000\n0.145038\n4.000000\n4.000000\n1.000000\n9.938714\n65536.000000\n"
               "6503.495195\n"},
        CliRow{"ScriptTextKeepsSpaces", "", "psi  50kPa\nmetres \n", "7.251887\n-9.938708\n"},
        CliRow{"Version", "--version", "", "Tarvel 1.0.0.1\n"}),
    [](const auto& row) { return row.param.name; });

struct ErrorRow {
    const char* name;
    std::string args;
    std::string input;
    std::string named;    // what the message on standard error names
    std::string out = ""; // the results before the bad line
};

class CliErrorTest : public testing::TestWithParam<ErrorRow> {};

TEST_P(CliErrorTest, NamesTheProblemAfterTheResultsBeforeIt)
{
    const ErrorRow& row = GetParam();
    const CliResult result = RunCli(row.args, row.input);
    EXPECT_EQ(result.status, 2) << row.args;
    EXPECT_EQ(result.out, row.out);
    EXPECT_NE(result.err.find(row.named), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliErrorTest,
    testing::Values(ErrorRow{"UnknownCommand", "hex 3F800000", "", "'hex'"},
                    ErrorRow{"CommandsAreLowerCase", "FLOAT 3F800000", "", "'FLOAT'"},
                    ErrorRow{"UnknownOption", "--frobnicate", "", "'--frobnicate'"},
                    ErrorRow{"ScriptStopsAtABadLine", "", "float 3F800000\npsi\nkpa 100\npsi\n",
                             "line 3: unknown command 'kpa'", "1.000000\n0.145038\n"},
                    ErrorRow{"ScriptCommandShownEscaped", "", "flo\x01t\t3F800000\n", "'flo\\x01t'"},
                    ErrorRow{"ControlCharactersEscapedAndCut", "",
                             "\x1b[31m" + std::string(100, 'x') + "\n",
                             "'\\x1b[31m" + std::string(35, 'x') + "...'"},
                    ErrorRow{"BlankLinesHoldNoCommand", "", " \t \n\nkpa\n", "line 3"}),
    [](const auto& row) { return row.param.name; });

TEST(Cli, HelpListsTheCommands)
{
    const CliResult result = RunCli("--help");
    EXPECT_EQ(result.status, 0);
    for (const char* word : {"float", "double", "psi", "metres", "--version"})
        EXPECT_NE(result.out.find(word), std::string::npos) << word;
}

} // namespace

#include "tests/cli_in_memory.h"

namespace {

// At a terminal each line runs as it is typed; a bad one is reported and the
// session goes on.
TEST(Cli, TypedAtATerminalABadLineIsSkipped)
{
    const CliOutcome outcome = RunCliInMemory({}, "float 3F800000\nkpa 100\npsi\n", true);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "1.000000\n0.145038\n");
    EXPECT_EQ(outcome.err, "tarvel-cli: line 2: unknown command 'kpa'\n");
}

} // namespace
