// How a tarvel-cli run ends: exit statuses and the messages behind them.
#pragma once

#include "cli/input/block_reader.h"
#include "cli/output/output_buffer.h"
#include "cli/output/std_streams.h"

#include <string_view>

inline constexpr int kFailure = 1;
inline constexpr int kUsageError = 2;

// Writes out every pending result; on a failed write says why and returns
// false.
bool FlushOrReport(OutputBuffer& out, const CliStreams& io);

// Once the input stops: writes out every pending result, then reports what
// stopped it (a failed write or read, a line too long). Returns `status`, or
// kFailure when something failed.
int FinishRun(BlockReader::Status got, const BlockReader& input, OutputBuffer& out,
              const CliStreams& io, int status);

// A bad line of input, reported after the results before it: writes those
// out, then "tarvel-cli: line N: MESSAGE". False, reporting nothing, when the
// write fails; FinishRun then says why.
bool ReportBadLine(OutputBuffer& out, const BlockReader& input, const CliStreams& io,
                   std::string_view message);
// The same for line `number` (a record that spans lines names its first).
bool ReportBadLine(OutputBuffer& out, std::size_t number, const CliStreams& io,
                   std::string_view message);

// Writes `text` (whole lines) and reports a failed write. 0 or kFailure.
int WriteOut(const CliStreams& io, std::string_view text);

// Prints "tarvel-cli: MESSAGE" on the error stream; returns kUsageError.
int UsageError(const CliStreams& io, std::string_view message);

// Runs `handle(line, out, input, status)` on each line of standard input as
// it is read, writing through `out`, then ends the run as FinishRun does with
// the `status` (0 to start) that `handle` leaves. `handle` returns false to
// end the run early.
template <class Handle> int RunEachLine(const CliStreams& io, Handle handle)
{
    OutputBuffer out(io.out, io.interrupted);
    BlockReader input(io.in, io.interrupted);
    int status = 0;
    std::string_view line;
    BlockReader::Status got;
    while ((got = input.Next(line, out)) == BlockReader::Status::Line && !out.Failed())
        if (!handle(line, out, input, status))
            break;
    return FinishRun(got, input, out, io, status);
}
