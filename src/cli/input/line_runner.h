// Lines of standard input, each a TEXT or a delimited line holding one as a
// field, through a command's TextConverter, in constant memory.
#pragma once

#include "cli/input/text_converter.h"
#include "cli/output/std_streams.h"

#include <cstddef>
#include <optional>

struct LineShape {
    // The 1-based field holding the TEXT; none for the whole line.
    std::optional<std::size_t> field;
    char delimiter = ','; // of the fields; kBlankRuns for runs of blanks
    bool replace = false; // results in place of the field, not appended
    bool header = false;  // the first line is (with a field) or gets a header
    char separator = ','; // between the results, without a field
};

struct CliOptions;
// The shape the options ask for; `separator` between results unless
// --delimiter says otherwise.
LineShape LineShapeOf(const CliOptions& options, char separator);

// Converts each line (blank ones skipped where the converter asks), writing
// for each an output line: the results apart by `separator`, or, with a
// field, the input line unchanged with the results appended as new fields
// (or in place of the field), quoted only where RFC 4180 asks. A quoted
// field may hold line breaks. An empty field (a log's missing value) gets
// empty results, as many as a header names. A line the converter refuses,
// or with fewer fields than asked, ends the run after the results before
// it: "line N: ..." on standard error, status 2. Otherwise ends as
// FinishRun says.
int RunLines(TextConverter& converter, const LineShape& shape, const CliStreams& io);

// The one TEXT given on the command line, converted: the results apart by
// the shape's separator on one line (after a line of their names, with a
// header), or the converter's message and nothing else, status 2.
int RunText(TextConverter& converter, std::string_view text, const LineShape& shape,
            const CliStreams& io);
