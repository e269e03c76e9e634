// tarvel-cli without a command: a session of command lines on one dialog.
#pragma once

#include "cli/output/std_streams.h"

// Runs each line of `io.in` as it is read, on one dialog: "COMMAND" (a
// click only) or "COMMAND [OPTION...] TEXT". The value commands type TEXT
// into the dialog and click; pressure, depth and pressure-at answer beside
// it; the others are refused. A bad line ends the run after the results
// before it, status 2 (typed at a terminal, it is reported and skipped);
// "COMMAND --help" prints that command's help. Returns the exit status.
int RunSession(const CliStreams& io);
