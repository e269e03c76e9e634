// tarvel-cli as a function of its arguments and streams.
#pragma once

#include <csignal>
#include <cstdio>

struct CliStreams {
    int in;  // standard input, read with ReadBytes (cli/std_streams.h)
    int out; // standard output, written with WriteBytes
    std::FILE* err;
    bool interactive; // `in` is a terminal: a bad script line is skipped
    // Set by a SIGINT or SIGTERM handler; null when nothing can interrupt.
    const volatile std::sig_atomic_t* interrupted = nullptr;
    // Set when that signal ended the run as planned (a watch that runs until
    // stopped), so the program exits with the status returned, not by it.
    bool* interruptionHandled = nullptr;
};

// Runs tarvel-cli: `argv[1]` a command or option, the rest its TEXT; without
// one, a session script from `io.in`, each line run as it is read. Results
// go out in large writes that end at line ends, and all pending ones before
// the program waits for input or returns. Returns the exit status: 0; 1 when
// input cannot be read, a line is too long or a write fails; 2 for an unknown
// command or option (one line on `io.err`, after the results before it).
// When `*io.interrupted` is set it returns early with pending results written;
// the caller then ends as the signal would. Never closes the streams.
int RunTarvelCli(int argc, char** argv, const CliStreams& io);
