// tarvel-cli as a function of its arguments and streams.
#pragma once

#include "cli/output/std_streams.h"

// Runs tarvel-cli: `argv[1]` a command or option, the rest its TEXT; without
// one, a session script from `io.in`, each line run as it is read. Results
// go out in large writes that end at line ends, and all pending ones before
// the program waits for input or returns. Returns the exit status: 0; 1 when
// input cannot be read, a line is too long or a write fails; 2 for an unknown
// command or option (one line on `io.err`, after the results before it).
// When `*io.interrupted` is set it returns early with pending results written;
// the caller then ends as the signal would. Never closes the streams.
int RunTarvelCli(int argc, char** argv, const CliStreams& io);
