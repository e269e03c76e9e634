// One row of a table of tarvel-cli runs, and the check every such table makes:
// the status, standard output byte for byte, and either silence on standard
// error or a message that says what the row names.
#pragma once

#include "tests/cli_in_memory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct CliRow {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    int status = 0;
    std::string named = ""; // what the message says, for a failure
};

inline void ExpectOutcome(const CliOutcome& outcome, int status, const std::string& out,
                          const std::string& named)
{
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.out, out);
    if (status == 0)
        EXPECT_EQ(outcome.err, "");
    else
        EXPECT_NE(outcome.err.find(named), std::string::npos) << outcome.err;
}

inline void ExpectOutcome(const CliRow& row)
{
    ExpectOutcome(RunCliInMemory(row.args, row.input, false), row.status, row.out, row.named);
}
