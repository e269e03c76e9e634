// record LAYOUT [TEXT...]: a record's bytes decoded field by field.
#pragma once

#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <span>
#include <string_view>

// `words` are LAYOUT and the TEXT words after it. A bad LAYOUT is a usage error
// before any input is read. With TEXT, its bytes make one record; without,
// each line of standard input does (or field N of it), or with --binary
// each LAYOUT-sized piece of the input (a FILE word, or standard input).
int RunRecord(const CliOptions& options, std::span<const std::string_view> words,
              const CliStreams& io);
