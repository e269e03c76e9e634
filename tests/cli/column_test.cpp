// The column path converts with the core directly; the dialog is the
// reference. Both see the same lines, in order, so carry-over is compared too.
#include "cli/commands/command.h"
#include "cli/convert/column.h"
#include "cli/convert/converter_session.h"
#include "core/render.h"
#include "tests/cli_in_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RandomLines(unsigned seed)
{
    // Bytes that matter to the readers, often; anything else, sometimes.
    static const std::string kAlphabet = "0123456789abcdefABCDEFxX.,:- +-eEpPinfatyINFNAN\t\r";
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    for (int n = 0; n < 20000; ++n) {
        std::string line(random() % 24, ' ');
        for (char& c : line)
            c = random() % 8 == 0 ? static_cast<char>(random() % 256)
                                  : kAlphabet[random() % kAlphabet.size()];
        lines.push_back(line);
    }
    lines.push_back(std::string("3F80\0"
                                "0000",
                                9));
    lines.push_back(std::string(300, ' ') + "7FEFFFFFFFFFFFFF");
    lines.push_back("1e400");
    return lines;
}

TEST(Column, ConvertsEveryLineAsTheDialogDoes)
{
    for (const char* name : {"float", "double", "psi", "metres"}) {
        const Conversion conversion = FindCliCommand(name)->conversion;
        Column column(conversion);
        ConverterSession dialog;
        char out[kFixed6MaxLength];
        for (const std::string& line : RandomLines(20261208)) {
            // The dialog's field ends at a zero byte; a line's hex reading
            // skips it as it skips a blank, and its number ends there.
            std::string typed = line;
            if (!IsDialogPressure(conversion))
                std::replace(typed.begin(), typed.end(), '\0', ' ');
            const std::string got(out, column.Convert(line, out));
            ASSERT_EQ(got, std::string(dialog.Run(conversion, typed).Bytes()))
                << name << " of line " << testing::PrintToString(line);
        }
    }
}

// Large inputs are converted a block at a time; lines must come out whole
// and in order across the blocks, with the byte store carried over.
TEST(Column, BlocksGiveTheResultsOfLineByLine)
{
    std::vector<std::string> lines = RandomLines(7);
    for (int copy = 0; copy < 4; ++copy) // past a megabyte: several blocks
        for (int k = 0; k < 20000; ++k)
            lines.push_back(lines[static_cast<std::size_t>(k)]);
    std::string input;
    for (const std::string& line : lines)
        input += line + (line.size() % 3 == 0 ? "\r\n" : "\n");
    for (const char* name : {"float", "double", "psi", "metres"}) {
        Column column(FindCliCommand(name)->conversion);
        std::string expected;
        char out[kFixed6MaxLength];
        for (std::size_t begin = 0; begin < input.size();) { // one line at a time
            const std::size_t end = input.find('\n', begin);
            std::string line = input.substr(begin, end - begin);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            expected.append(out, column.Convert(line, out));
            expected += '\n';
            begin = end + 1;
        }
        const CliOutcome outcome = RunCliInMemory({name}, input, false);
        EXPECT_EQ(outcome.status, 0) << name;
        EXPECT_TRUE(outcome.out == expected) << name << ": the outputs differ";
    }
}

} // namespace
