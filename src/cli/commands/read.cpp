// read DEVICE ADDRESS WHAT: registers from a Modbus device, decoded by the
// same code as every other command. Read-only: it never writes a register or
// a coil.
#include "cli/commands/read.h"

#include "cli/convert/read_settings.h"
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
    {"--format", "fixed (six decimals, default), shortest, exact or hex; with --raw, hex "
                 "shows each register as four hex digits"},
    {"--digits"},
    {"--delimiter", "what stands between the time, the unit and each value or field: one "
                    "character (, by default), tab, or space"},
    {"--header", "print a line of names first: time, unit, then a column for each value "
                 "(float1, float2...), field, register or bit"},
    {"--near", "with inspect: sort the rows by distance from VALUE, nearest first"},
    {"--json", "with record LAYOUT: one JSON object per read"},
    {"--input"},
    {"--coils"},
    {"--discrete"},
    {"--reference"},
    {"--unit", "the device's unit (slave) id, 1 by default: 1 to 247, or over TCP also 0 "
               "and 255; a list such as 1,3,5-8 reads each in turn, a line each, its id first"},
    {"--baud"},
    {"--parity"},
    {"--stop-bits"},
    {"--rs485"},
    {"--timeout", "wait at most MS for the whole answer, 1000 by default"},
    {"--retries", "try a failed read N more times, a little later each time, when another "
                  "try may succeed: a timeout, a lost connection, an incomplete answer, a CRC "
                  "error, or exception 5, 6, 10 or 11 (acknowledge, busy, gateway); 0 by "
                  "default"},
    {"--count", "N consecutive values (8-bit types: N bytes, high byte first in each "
                "register), or N bits with --coils or --discrete (inspect: 1, 2 or 4 "
                "registers)"},
    {"--raw"},
    {"--trace"},
    {"--watch", "read again every SECONDS (0.01 or more) on a fixed schedule until stopped; "
                "each line starts with the time in ISO 8601 UTC"},
    {"--samples"},
};

} // namespace

const CliCommand kReadCommand{
    {.name = "read",
     .synopsis = "[OPTION...] DEVICE ADDRESS TYPE\n"
                 "[OPTION...] DEVICE ADDRESS record LAYOUT\n"
                 "[OPTION...] DEVICE ADDRESS inspect\n"
                 "[OPTION...] --coils|--discrete DEVICE ADDRESS",
     .summary = "registers read from a Modbus device (read-only), decoded",
     .description =
         "Reads registers or bits from a Modbus device and decodes them as the other\n"
         "commands decode bytes; read-only, it never writes a register or a coil. DEVICE\n"
         "is tcp://HOST[:PORT] (port 502 by default; an IPv6 address in brackets) or a\n"
         "serial device for RTU (/dev/ttyUSB0; on Windows a port, COM3). ADDRESS is the\n"
         "register from 0 as sent on the wire, of the holding registers (function 3), or\n"
         "with --input of the input registers (4); with --reference, a reference as\n"
         "manuals print it (40001 is holding register 0). TYPE is float, double, half,\n"
         "bfloat16 or an integer type of record's; record LAYOUT reads a record (one byte\n"
         "alone is record 'skip:1,uint8'); inspect shows every type and order of four\n"
         "registers. Registers give their bytes most significant first. Whatever waits on\n"
         "the line before a request is discarded, and an answer is taken only when its\n"
         "unit, function, size and transaction fit the request. A refused or lost\n"
         "connection, a timeout, an incomplete answer, a CRC error, bytes that do not fit\n"
         "or an exception answer is one line naming the device, unit and address, status\n"
         "1, nothing on standard output.\n",
     .options = kOptions,
     .examples =
         "  tarvel-cli read tcp://192.0.2.7 100 float --order CDAB        3.141593\n"
         "  tarvel-cli read --reference /dev/ttyUSB0 40101 inspect --near 3.14\n"
         "  tarvel-cli read tcp://192.0.2.7 100 record 'p=float:CDAB,t=int16*0.01'\n"
         "  tarvel-cli read --coils --count 8 --unit 1,2 tcp://192.0.2.7 0\n"
         "  tarvel-cli read --trace --parity N /dev/ttyUSB0 100 uint16\n"
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

// One read of `unit` and its line: true when read, else the failure is on
// standard error (with `time` under a watch), but for an interruption, which
// ends the run as the signal would.
bool ReadOnce(RegisterSource& source, std::string_view device, const ReadTarget& target, int unit,
              const CliOptions& options, OutputBuffer& out, const CliStreams& io)
{
    const std::string time = options.read.watch ? UtcTimeText() : std::string();
    const ReadResult result = source.Read(target.Table(), target.Address(), target.Count(), unit);
    if (result.failure == ReadFailure::Interrupted)
        return false;
    // A failure goes on standard error after the results before it.
    const auto report = [&](const std::string& message) {
        if (FlushOrReport(out, io)) {
            std::fprintf(io.err, "tarvel-cli: %s%s%s\n", time.c_str(), time.empty() ? "" : ": ",
                         message.c_str());
            std::fflush(io.err);
        }
        return false;
    };
    if (result.failure != ReadFailure::None)
        return report(result.error);
    std::string error;
    std::string line = target.Render(result.registers, error);
    if (!error.empty())
        return report(std::string(device) + " unit " + std::to_string(unit) + " address " +
                      std::to_string(target.Address()) + ": " + error);
    // Before the values: the time under a watch, the unit when several are
    // read; with --json, as the object's first keys.
    const bool several = options.read.units.size() > 1;
    const std::string delimiter(1, options.delimiter.value_or(','));
    std::string lead;
    if (!time.empty())
        lead += options.json ? "\"time\": \"" + time + "\", " : time + delimiter;
    if (several)
        lead += options.json ? "\"unit\": " + std::to_string(unit) + ", "
                             : std::to_string(unit) + delimiter;
    if (!lead.empty())
        line = options.json ? "{" + lead + line.substr(1) : lead + line;
    if (target.IsInspect())
        out.Append(line.data(), line.size());
    else
        out.AppendLine(line.data(), line.size());
    return FlushOrReport(out, io); // each line as soon as it is read
}

// Each unit asked for in turn; false when any read failed.
bool ReadUnits(RegisterSource& source, std::string_view device, const ReadTarget& target,
               const CliOptions& options, OutputBuffer& out, const CliStreams& io)
{
    bool read = true;
    for (const int unit : options.read.units)
        if (!Interrupted(io) && !ReadOnce(source, device, target, unit, options, out, io))
            read = false;
    return read && !Interrupted(io);
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
    auto settings = ReadSettings(words.front(), options.read, error);
    if (!settings)
        return UsageError(io, error);
    settings->interrupted = io.interrupted;
    if (options.read.trace)
        settings->trace = [&io](std::string_view line) {
            std::fprintf(io.err, "tarvel-cli: %s %.*s\n", UtcTimeText().c_str(),
                         static_cast<int>(line.size()), line.data());
            std::fflush(io.err);
        };
    const auto source = OpenRegisterSource(*settings, error);
    if (!source) {
        std::fprintf(io.err, "tarvel-cli: %s\n", error.c_str());
        return kFailure;
    }
    OutputBuffer out(io.out, io.interrupted);
    if (options.header) {
        ItemSink items(options.delimiter.value_or(','));
        if (options.read.watch)
            items.Add("time");
        if (options.read.units.size() > 1)
            items.Add("unit");
        for (const std::string& name : target->Names())
            items.Add(name);
        out.AppendLine(items.Line().data(), items.Line().size());
    }
    if (!options.read.watch)
        return ReadUnits(*source, words.front(), *target, options, out, io) ? 0 : kFailure;

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
        if (!ReadUnits(*source, words.front(), *target, options, out, io) && !Interrupted(io))
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
