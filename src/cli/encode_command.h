// tarvel-cli encode: the bytes to write for a value.
#pragma once

#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <span>
#include <string_view>

// The TYPE names encode takes, in the order its messages list them.
std::span<const std::string_view> EncodeTypeNames();

// `words` are TYPE and VALUE. Prints the value's bytes in `options.order`,
// upper-case hex pairs separated by spaces, or with --registers its 16-bit
// words in decimal. A VALUE that is not a number, a bad TYPE or a missing
// word: a message, status 2, nothing on standard output.
int RunEncode(const CliOptions& options, std::span<const std::string_view> words,
              const CliStreams& io);
