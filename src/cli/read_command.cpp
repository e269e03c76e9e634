#include "cli/read_command.h"

#include "cli/input/item_sink.h"
#include "cli/output_buffer.h"
#include "cli/read_target.h"
#include "cli/run_status.h"
#include "cli/utc_time.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool Interrupted(const CliStreams& io)
{
    return io.interrupted != nullptr && *io.interrupted != 0;
}

// Waits until `due`, in short steps so that a signal ends the wait at once.
void WaitUntil(Clock::time_point due, const CliStreams& io)
{
    while (!Interrupted(io)) {
        const auto now = Clock::now();
        if (now >= due)
            return;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(due - now, std::chrono::milliseconds(20)));
    }
}

// One read and its line: true when read, else the failure is on standard
// error (with `time` under a watch).
bool ReadOnce(RegisterSource& source, const ReadTarget& target, const CliOptions& options,
              OutputBuffer& out, const CliStreams& io)
{
    const std::string time = options.read.watch ? UtcTimeText() : std::string();
    const ReadResult result = source.Read(target.Table(), target.Address(), target.Count());
    if (result.failure != ReadFailure::None) {
        if (!FlushOrReport(out, io))
            return false;
        std::fprintf(io.err, "tarvel-cli: %s%s%s\n", time.c_str(), time.empty() ? "" : ": ",
                     result.error.c_str());
        std::fflush(io.err);
        return false;
    }
    std::string line = target.Render(result.registers);
    if (!time.empty()) {
        const char delimiter = options.delimiter.value_or(',');
        if (options.json) // the time as the object's first key
            line = "{\"time\": \"" + time + "\", " + line.substr(1);
        else
            line = time + std::string(1, delimiter == ' ' ? ' ' : delimiter) + line;
    }
    if (target.IsInspect())
        out.Append(line.data(), line.size());
    else
        out.AppendLine(line.data(), line.size());
    return FlushOrReport(out, io); // each line as soon as it is read
}

} // namespace

int RunRead(const CliOptions& options, std::span<const std::string_view> words,
            const CliStreams& io)
{
    if (words.empty())
        return UsageError(io, "read takes DEVICE ADDRESS WHAT (see tarvel-cli --help)");
    std::string error;
    const auto target = ReadTarget::Parse(words.subspan(1), options, error);
    if (!target)
        return UsageError(io, error);
    if (options.read.watch && target->IsInspect())
        return UsageError(io, "--watch and inspect contradict each other; inspect reads once");
    DeviceSettings settings;
    settings.device = std::string(words.front());
    settings.unit = options.read.unit;
    settings.baud = options.read.baud;
    settings.parity = options.read.parity;
    settings.stopBits = options.read.stopBits;
    settings.timeoutMs = options.read.timeoutMs;
    settings.retries = options.read.retries;
    if (const std::string problem = CheckDeviceSettings(settings); !problem.empty())
        return UsageError(io, problem);
    const auto source = OpenRegisterSource(settings, error);
    if (!source) {
        std::fprintf(io.err, "tarvel-cli: %s\n", error.c_str());
        return kFailure;
    }
    OutputBuffer out(io.out, io.interrupted);
    if (options.header) {
        std::string names;
        ItemSink items(names, options.delimiter.value_or(','));
        if (options.read.watch)
            items.Add("time");
        for (const std::string& name : target->Names())
            items.Add(name);
        out.AppendLine(names.data(), names.size());
    }
    if (!options.read.watch)
        return ReadOnce(*source, *target, options, out, io) ? 0 : kFailure;

    // The k-th read is due at start + k * interval, whatever the reads take;
    // slots missed while a read hung are skipped, never made up in a burst.
    const auto interval = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(*options.read.watch));
    const auto start = Clock::now();
    int status = 0;
    std::uint64_t reads = 0;
    for (std::int64_t k = 0; !options.read.samples || reads < *options.read.samples; ++reads) {
        WaitUntil(start + k * interval, io);
        if (Interrupted(io))
            break;
        if (!ReadOnce(*source, *target, options, out, io))
            status = kFailure;
        if (out.Failed())
            return kFailure;
        // The next slot, or the one now begun if a read ran past it.
        k = std::max<std::int64_t>(k + 1, (Clock::now() - start) / interval);
    }
    if (Interrupted(io) && io.interruptionHandled != nullptr)
        *io.interruptionHandled = true; // a watch ends so, as planned
    return status;
}
