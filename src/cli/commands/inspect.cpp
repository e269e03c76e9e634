// inspect [TEXT]: everything a few bytes can be.
#include "cli/commands/inspect.h"

#include "cli/convert/inspect_rows.h"
#include "cli/input/block_reader.h"
#include "cli/input/byte_text.h"
#include "cli/input/run_status.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"
#include "core/text_chars.h"

#include <string>
#include <vector>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

constexpr OptionUse kOptions[] = {
    {"--registers", "TEXT is 16-bit registers in decimal (-32768 to 65535), two bytes each"},
    {"--near", "sort the rows by distance from VALUE (inf and -inf too), nearest first, and "
               "mark the nearest: to find a device's byte order from a value you know"},
    {"--json", "one JSON object per TEXT, every string valid UTF-8"},
};

} // namespace

const CliCommand kInspectCommand{
    {.name = "inspect",
     .synopsis = "[OPTION...] [TEXT...]",
     .summary = "every type and byte order the bytes can be",
     .description = "Every type and byte order one to eight bytes can be. TEXT is read strictly:\n"
                    "hex digits in pairs, in groups apart by spaces, tabs, colons, dashes, commas\n"
                    "or underscores, \"0x\" allowed before a group. Two bytes or more show as\n"
                    "16-bit integers, half and bfloat16; four or more as 32-bit integers and\n"
                    "float32; eight as 64-bit integers and float64; each in every byte order,\n"
                    "with its shortest, exact and hexadecimal forms and its class (normal,\n"
                    "subnormal, zero, infinite, quiet or signalling NaN with its payload).\n"
                    "Without TEXT, one inspection per line of standard input; blank lines are\n"
                    "skipped.\n",
     .options = kOptions,
     .examples = "  tarvel-cli inspect 3F800000\n"
                 "  tarvel-cli inspect --near 3.14 0F DB 40 49      # CDAB first\n"
                 "  tarvel-cli inspect --registers --json 16457 4059\n"},
    Conversion::Inspect,
    Run};

namespace {

// The bytes of `text`; false for a bad text, with `error` naming the problem.
bool ReadBytes(std::string_view text, const CliOptions& options, std::vector<std::uint8_t>& bytes,
               std::string& error)
{
    if (options.registers ? ReadRegisterText(text, bytes, error)
                          : ReadCleanHex(text, bytes, error)) {
        if (!bytes.empty() && bytes.size() <= 8)
            return true;
        error = "one to eight bytes, not " + std::to_string(bytes.size());
    }
    error = "inspect '" + Printable(text) + "': " + error;
    return false;
}

// `words` holds the TEXT (joined with spaces), or nothing to read one TEXT
// per line of the input, which stops at a bad line as every column does.
int Run(const CliCommand& /*command*/, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    std::string error;
    std::vector<std::uint8_t> bytes;
    if (!words.empty())
        return ReadBytes(JoinWords(words), options, bytes, error)
                   ? WriteOut(io, InspectBytes(bytes, options))
                   : UsageError(io, error);
    return RunEachLine(
        io, [&](std::string_view line, OutputBuffer& out, const BlockReader& input, int& status) {
            if (IsBlank(line))
                return true;
            if (!ReadBytes(line, options, bytes, error)) {
                status = kUsageError;
                ReportBadLine(out, input, io, error);
                return false;
            }
            out.Commit(WriteInspection(bytes, options, out.Reserve(kMostInspection)));
            return true;
        });
}

} // namespace
