// encode TYPE VALUE: the bytes to write for a value.
#include "cli/commands/encode.h"

#include "cli/input/run_status.h"
#include "cli/output/printable.h"
#include "core/encode.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

int Run(const CliCommand& command, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io);

constexpr OptionUse kOptions[] = {
    {"--order", "the order to write the bytes in: ABCD (big, default), DCBA (little), CDAB "
                "(word-swap), BADC (byte-swap); eight-letter and AB/BA forms too"},
    {"--registers", "print the 16-bit registers in decimal, not bytes"},
};

} // namespace

const CliCommand kEncodeCommand{
    {.name = "encode",
     .synopsis = "[OPTION...] TYPE VALUE",
     .summary = "the bytes of a value",
     .description = "The bytes of VALUE as TYPE (float, double, half or bfloat16), most\n"
                    "significant first unless --order says otherwise, as upper-case hex pairs\n"
                    "apart by spaces. VALUE is a decimal or C hexadecimal floating-point text,\n"
                    "inf or nan; it is rounded once, to nearest, ties to even, and a value\n"
                    "beyond the type's range becomes an infinity. The inverse of float, double,\n"
                    "half and bfloat16.\n",
     .options = kOptions,
     .examples = "  tarvel-cli encode float 3.14159265              40 49 0F DB\n"
                 "  tarvel-cli encode --order CDAB float 3.14159265   0F DB 40 49\n"
                 "  tarvel-cli encode --registers float 3.14159265   16457 4059\n"
                 "  tarvel-cli encode half 65520                    7C 00\n"},
    Conversion::Encode,
    Run};

namespace {

constexpr std::string_view kTypeNames[] = {"float", "double", "half", "bfloat16"};
constexpr FloatType kTypes[] = {FloatType::Float32, FloatType::Float64, FloatType::Half,
                                FloatType::BFloat16};

std::optional<FloatType> ParseType(std::string_view name)
{
    for (std::size_t k = 0; k < std::size(kTypeNames); ++k)
        if (kTypeNames[k] == name)
            return kTypes[k];
    return std::nullopt;
}

// `words` are TYPE and VALUE. Prints the value's bytes in `options.order`,
// upper-case hex pairs separated by spaces, or with --registers its 16-bit
// words in decimal. A VALUE that is not a number, a bad TYPE or a missing
// word: a message, status 2, nothing on standard output.
int Run(const CliCommand& /*command*/, const CliOptions& options,
        std::span<const std::string_view> words, const CliStreams& io)
{
    if (words.size() != 2)
        return UsageError(io, "encode takes TYPE and VALUE (see tarvel-cli encode --help)");
    const auto type = ParseType(words[0]);
    if (!type)
        return UsageError(io, "unknown type '" + Printable(words[0]) +
                                  "' (float, double, half, bfloat16)");
    const auto bits = EncodeBits(*type, words[1]);
    if (!bits)
        return UsageError(io, "not a number: '" + Printable(words[1]) + "'");
    const std::size_t size = ByteSizeOf(*type);
    const auto bytes = BytesFromBits(*bits, size, options.order);
    std::string text;
    char item[8];
    for (std::size_t k = 0; k < size; k += options.registers ? 2 : 1) {
        if (options.registers)
            std::snprintf(item, sizeof item, "%u", (unsigned{bytes[k]} << 8) | bytes[k + 1]);
        else
            std::snprintf(item, sizeof item, "%02X", unsigned{bytes[k]});
        if (k != 0)
            text += ' ';
        text += item;
    }
    return WriteOut(io, text + "\n");
}

} // namespace

std::span<const std::string_view> EncodeTypeNames()
{
    return kTypeNames;
}
