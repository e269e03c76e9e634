// The column path converts with the core directly; the dialog is the
// reference. Both see the same lines, in order, so carry-over is compared too.
#include "cli/cli_command.h"
#include "cli/column.h"
#include "cli/converter_session.h"
#include "core/render.h"

#include <gtest/gtest.h>

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
    lines.push_back(std::string("3F80\0" "0000", 9));
    lines.push_back(std::string(300, ' ') + "7FEFFFFFFFFFFFFF");
    lines.push_back("1e400");
    return lines;
}

TEST(Column, ConvertsEveryLineAsTheDialogDoes)
{
    for (const char* name : {"float", "double", "psi", "metres"}) {
        const CliCommand& command = *FindCliCommand(name);
        Column column(command.conversion);
        ConverterSession dialog;
        char out[kFixed6MaxLength];
        for (const std::string& line : RandomLines(20261208)) {
            const std::string got(out, column.Convert(line, out)); // line.c_str() ends it
            ASSERT_EQ(got, std::string(dialog.Run(command, line).Bytes()))
                << name << " of line " << testing::PrintToString(line);
        }
    }
}

} // namespace
