// read DEVICE ADDRESS WHAT: registers from a Modbus device, decoded by the
// same code as every other command. Read-only: it never writes a register or
// a coil.
#pragma once

#include "cli/cli_options.h"
#include "cli/run_tarvel_cli.h"

#include <span>
#include <string_view>

// `words` are DEVICE, ADDRESS and WHAT. Bad settings, ADDRESS or WHAT: a
// usage error (2) before anything is opened. Once: the line for the read, or
// its failure (1). With --watch: a line "TIME,VALUES" per read on a fixed
// schedule, written as it is read, failures reported with their time on
// standard error while polling goes on, until --samples or SIGINT (which
// ends it cleanly); 1 if any read failed.
int RunRead(const CliOptions& options, std::span<const std::string_view> words,
            const CliStreams& io);
