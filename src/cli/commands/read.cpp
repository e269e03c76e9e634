// read DEVICE ADDRESS WHAT: registers from a Modbus device, decoded by the
// same code as every other command. Read-only: it never writes a register or
// a coil.
#include "cli/commands/read.h"

#include "cli/convert/read_target.h"
#include "cli/input/item_sink.h"
#include "cli/input/run_status.h"
#include "cli/output/output_buffer.h"
#include "cli/output/utc_time.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

constexpr OptionUse kOptions[] = {
    {"--order", "how the registers' bytes make the value (as for float): ABCD (default), "
                "DCBA, CDAB (word-swap), BADC (byte-swap); eight-letter and AB/BA forms too"},
    {"--format"},
    {"--digits"},
    {"--delimiter", "what stands between the time and the values, and between a record's "
                    "fields: one character (, by default), tab, or space"},
    {"--header", "print a line of names first (time, then the values or fields)"},
    {"--near", "with inspect: sort the rows by distance from VALUE, nearest first"},
    {"--json", "with record LAYOUT: one JSON object per read"},
    {"--input"},
    {"--reference"},
    {"--unit", "the device's unit (slave) id, 1 by default: 1 to 247, or over TCP also 0 "
               "and 255"},
    {"--baud"},
    {"--parity"},
    {"--stop-bits"},
    {"--timeout"},
    {"--retries", "try a failed read N more times first, 0 by default; an exception answer "
                  "is not retried"},
    {"--count"},
    {"--raw"},
    {"--watch", "read again every SECONDS (0.01 or more) on a fixed schedule until stopped; "
                "each line starts with the time in ISO 8601 UTC"},
    {"--samples"},
};

} // namespace

const CliCommand kReadCommand{
    {.name = "read",
     .synopsis = "[OPTION...] DEVICE ADDRESS TYPE\n"
                 "[OPTION...] DEVICE ADDRESS record LAYOUT\n"
                 "[OPTION...] DEVICE ADDRESS inspect",
     .summary = "registers read from a Modbus device (read-only), decoded",
     .description =
         "Reads registers from a Modbus device and decodes them as the other commands\n"
         "decode bytes; read-only, it never writes a register or a coil. DEVICE is\n"
         "tcp://HOST[:PORT] (port 502 by default; an IPv6 address in brackets) or a\n"
         "serial device for RTU (/dev/ttyUSB0). ADDRESS is the register from 0 as sent\n"
         "on the wire, of the holding registers (function 3) or with --input of the\n"
         "input registers (function 4); with --reference, a reference as manuals print\n"
         "it (40001 is holding register 0). TYPE is float, double, half, bfloat16 or an\n"
         "integer type of record's; record LAYOUT reads a record (tarvel-cli record\n"
         "--help); inspect shows every type and order of four registers (--count 1\n"
         "or 2). Registers give their bytes most significant first. A refused or lost\n"
         "connection, a timeout, a CRC error or an exception answer is one line naming\n"
         "the device, unit and address, status 1, nothing on standard output.\n",
     .options = kOptions,
     .examples =
         "  tarvel-cli read tcp://192.0.2.7 100 float --order CDAB        3.141593\n"
         "  tarvel-cli read --reference /dev/ttyUSB0 40101 inspect --near 3.14\n"
         "  tarvel-cli read tcp://192.0.2.7 100 record 'p=float:CDAB,t=int16*0.01'\n"
         "  tarvel-cli read tcp://192.0.2.7 100 float --watch 1 | tarvel-cli depth --field 2\n",
     .records = true},
    Conversion::Read,
    Run};

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
    const ReadResult result = source.Read(target.Table(), target.Address(), target.Count(), options.read.unit);
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

// `words` are DEVICE, ADDRESS and WHAT. Bad settings, ADDRESS or WHAT: a
// usage error (2) before anything is opened. Once: the line for the read, or
// its failure (1). With --watch: a line "TIME,VALUES" per read on a fixed
// schedule, written as it is read, failures reported with their time on
// standard error while polling goes on, until --samples or SIGINT (which
// ends it cleanly); 1 if any read failed.
int Run(const CliCommand& /*command*/, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    if (words.empty())
        return UsageError(io, "read takes DEVICE ADDRESS WHAT (see tarvel-cli read --help)");
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

} // namespace
