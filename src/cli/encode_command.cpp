#include "cli/encode_command.h"

#include "cli/printable.h"
#include "cli/run_status.h"
#include "core/encode.h"

#include <cstdio>
#include <optional>
#include <string>

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

} // namespace

std::span<const std::string_view> EncodeTypeNames()
{
    return kTypeNames;
}

int RunEncode(const CliOptions& options, std::span<const std::string_view> words,
              const CliStreams& io)
{
    if (words.size() != 2)
        return UsageError(io, "encode takes TYPE and VALUE (see tarvel-cli --help)");
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
