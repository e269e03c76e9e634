// tarvel-cli as a function of its arguments and streams.
#pragma once

#include <cstdio>

struct CliStreams {
    std::FILE* in;
    std::FILE* out;
    std::FILE* err;
    bool interactive; // `in` is a terminal: run script lines as they come
};

// Runs tarvel-cli: `argv[1]` a command or option, the rest its TEXT; without
// one, a session script from `io.in`. Returns the exit status: 0, or 2 for an
// unknown command or option (one line on `io.err`, nothing on `io.out`).
// Never closes or flushes the streams.
int RunTarvelCli(int argc, char** argv, const CliStreams& io);
