// poll POINTS: a set of named points read from several devices on one
// schedule, in as few requests as Modbus allows, one row per sample.
// Read-only, as read is.
#include "cli/commands/poll.h"

#include "cli/convert/poll_plan.h"
#include "cli/convert/poll_points.h"
#include "cli/convert/poll_row.h"
#include "cli/convert/poll_sampler.h"
#include "cli/convert/poll_writer.h"
#include "cli/input/run_status.h"
#include "cli/input/small_file.h"
#include "cli/output/output_buffer.h"
#include "cli/output/printable.h"
#include "cli/output/utc_time.h"

#include <algorithm>
#include <cstdio>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

std::string PointsExample()
{
    return "A POINTS file for two devices:\n"
           "  # NAME     DEVICE            ADDRESS WHAT\n"
           "  pressure   tcp://192.0.2.7   100     float --order CDAB\n"
           "  ctd        tcp://192.0.2.7   102     record 't=int16*0.01,status=uint16'\n"
           "  battery    /dev/ttyUSB0      7       uint16 --unit 3 --baud 19200 --parity N\n";
}

constexpr OptionUse kOptions[] = {
    {"--watch", "take a sample every SECONDS (0.01 or more) on a fixed schedule until "
                "stopped; without it, one sample"},
    {"--samples", "with --watch: stop after N samples"},
    {"--json", "one JSON object a sample (JSON Lines): time, then each column, numbers as "
               "numbers, null for a value not read"},
    {"--delimiter", "what stands between a CSV row's cells: one character (, by default), "
                    "tab, or space"},
    {"--max-gap"},
    {"--plan", "print the requests a sample sends (device, unit, table, address, count, "
               "points served) as CSV, and contact no device"},
    {"--format", "how the values are written: fixed (six decimals, default), shortest, "
                 "exact or hex; a point's own --format comes first"},
    {"--digits"},
    {"--timeout", "wait at most MS for each whole answer, 1000 by default"},
    {"--retries", "try a failed read N more times when another try may succeed (a timeout, "
                  "a lost connection, an incomplete answer, a CRC error, exception 5, 6, 10 "
                  "or 11); 0 by default"},
    {"--trace", "every request and answer on standard error, with the time and the device"},
};

} // namespace

const CliCommand kPollCommand{
    {.name = "poll",
     .synopsis = "[OPTION...] POINTS",
     .summary = "named points read from Modbus devices on one schedule, a row per sample",
     .description =
         "Reads the points of the file POINTS (- for standard input) from their devices\n"
         "and writes one row per sample: CSV with a header (time, then a column per\n"
         "point; NAME.FIELD for a record's fields, NAME.1, NAME.2... for --count values)\n"
         "or with --json one JSON object per line. Read-only, as read is. A POINTS line is\n"
         "NAME DEVICE ADDRESS WHAT [OPTION...] in the words read takes: TYPE or record\n"
         "LAYOUT, --order, --format, --digits, --input, --coils, --discrete, --reference,\n"
         "--unit (one), --count, and serial settings (--baud, --parity, --stop-bits,\n"
         "--rs485), which the lines of one device share. NAME is a letter or '_', then\n"
         "letters, digits or '_'. Blank lines and # comments are skipped; quotes work as\n"
         "in a shell. A bad line is refused naming it, status 2, before any device is\n"
         "contacted. Each device is one connection, opened on the first read and again\n"
         "after a loss; points of one device, unit and table apart by at most --max-gap\n"
         "registers are read in one request of at most 125 registers (2000 bits),\n"
         "which reads the registers between them too. Devices are read side by side;\n"
         "a device still reading an earlier sample is not read for the next. A point\n"
         "not read leaves its cells empty (null), its fault one line on standard error\n"
         "with the time, device, unit and address; the status is then 1. Rows are\n"
         "written in order, each once its sample is complete. SIGINT ends a watch: the\n"
         "rows begun are written, a read that has not ended 0.2 s later cut short (its\n"
         "cells empty, and said so), status 0 unless a device failed.\n",
     .options = kOptions,
     .examples =
         "  tarvel-cli poll --plan station.points\n"
         "  tarvel-cli poll --watch 1 station.points > station.csv\n"
         "  tarvel-cli poll --json --watch 10 station.points | gzip > station.jsonl.gz\n"
         "  tarvel-cli poll --watch 1 station.points | tarvel-cli depth --field 2 --header\n",
     .more = PointsExample,
     .records = true},
    Conversion::Read,
    Run};

namespace {

using Clock = PollSampler::Clock;

bool Interrupted(const CliStreams& io)
{
    return io.interrupted != nullptr && *io.interrupted != 0;
}

bool WasInterrupted(const PollSample& sample)
{
    return std::any_of(sample.results.begin(), sample.results.end(), [](const ReadResult& r) {
        return r.failure == ReadFailure::Interrupted;
    });
}

// How long reads under way at a signal may go on, so that the row in
// progress is whole unless a device is slow to answer.
constexpr auto kGrace = std::chrono::milliseconds(200);

// The most rows that wait for a device slow to answer; beyond them the
// oldest is written without its answer, so that the log goes on and the
// memory held stays small whatever the timeout.
constexpr std::size_t kMostWaiting = 100;

// The samples of a watch, each begun on its slot and written once complete,
// until --samples or a signal; then every sample begun is written, a read
// still under way kGrace after the signal cut short and its cells left
// empty. The status: 1 if a device failed a read.
int Watch(PollSampler& sampler, PollWriter& writer, const CliOptions& options,
          OutputBuffer& out, const CliStreams& io)
{
    const auto interval = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(*options.read.watch));
    const auto start = Clock::now();
    bool failed = false;
    std::uint64_t begun = 0;
    for (std::int64_t k = 0; !Interrupted(io);) {
        const bool more = !options.read.samples || begun < *options.read.samples;
        if (!more && sampler.Empty())
            break;
        const auto due = start + k * interval;
        if (more && Clock::now() >= due) {
            // A slot on which every device is still busy is skipped, as read skips it.
            if (sampler.Begin(begun, UtcTimeText()))
                ++begun;
            k = std::max<std::int64_t>(k + 1, (Clock::now() - start) / interval);
        }
        auto until = std::min(Clock::now() + std::chrono::milliseconds(50),
                              more ? start + k * interval : Clock::time_point::max());
        while (const auto sample = sampler.Waiting() > kMostWaiting ? sampler.TakeOldest()
                                                                    : sampler.TakeComplete(until)) {
            if (!writer.Write(*sample, failed) || !FlushOrReport(out, io))
                return kFailure;
            until = Clock::now();
        }
    }
    const auto grace = Clock::now() + kGrace;
    while (!sampler.Empty()) {
        if (Interrupted(io) && Clock::now() >= grace)
            sampler.Stop();
        if (const auto sample = sampler.TakeComplete(Clock::now() + std::chrono::milliseconds(50)))
            if (!writer.Write(*sample, failed) || !FlushOrReport(out, io))
                return kFailure;
    }
    if (Interrupted(io) && io.interruptionHandled != nullptr)
        *io.interruptionHandled = true; // a watch ends so, as planned
    return failed ? kFailure : 0;
}

int Run(const CliCommand& /*command*/, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    if (words.size() != 1)
        return UsageError(io, "poll takes one POINTS file, or - (see tarvel-cli poll --help)");
    if (options.json && options.delimiter)
        return UsageError(io, "--delimiter is for CSV rows, not --json");
    std::string error;
    const auto text = ReadSmallFile(words.front(), io, error);
    if (!text) {
        std::fprintf(io.err, "tarvel-cli: %s\n", error.c_str());
        return kFailure;
    }
    const auto points = ParsePollPoints(*text, options, error);
    if (!points)
        return UsageError(io, (words.front() == "-" ? "standard input"
                                                    : "'" + Printable(words.front()) + "'") +
                                  " " + error);
    const std::vector<PollRequest> requests = PlanRequests(*points, options.read.maxGap);
    if (options.read.plan)
        return WriteOut(io, PlanText(*points, requests));
    std::function<void(std::string_view)> trace;
    if (options.read.trace)
        trace = [&io](std::string_view line) {
            std::fprintf(io.err, "tarvel-cli: %s %.*s\n", UtcTimeText().c_str(),
                         static_cast<int>(line.size()), line.data());
            std::fflush(io.err);
        };
    const auto sampler = PollSampler::Open(*points, requests, trace, error);
    if (!sampler) {
        std::fprintf(io.err, "tarvel-cli: %s\n", error.c_str());
        return kFailure;
    }
    const PollRows rows(*points, options.json, options.delimiter.value_or(','));
    OutputBuffer out(io.out, io.interrupted);
    const std::string header = rows.Header();
    out.Append(header.data(), header.size());
    PollWriter writer(*points, requests, rows, out, io);
    if (options.read.watch)
        return FlushOrReport(out, io) ? Watch(*sampler, writer, options, out, io) : kFailure;

    // One sample: nothing is written unless all of it is.
    sampler->Begin(0, UtcTimeText());
    std::optional<PollSample> sample;
    while (!sample && !Interrupted(io))
        sample = sampler->TakeComplete(Clock::now() + std::chrono::milliseconds(50));
    bool failed = false;
    if (!sample || WasInterrupted(*sample) || !writer.Write(*sample, failed) ||
        !FlushOrReport(out, io))
        return kFailure;
    return failed ? kFailure : 0;
}

} // namespace
