#include "cli/encode_command.h"

#include "cli/printable.h"
#include "cli/run_status.h"
#include "core/encode.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

std::optional<FloatType> ParseType(std::string_view name)
{
    static constexpr std::pair<std::string_view, FloatType> kTypes[] = {
        {"float", FloatType::Float32},
        {"double", FloatType::Float64},
        {"half", FloatType::Half},
        {"bfloat16", FloatType::BFloat16}};
    for (const auto& [typeName, type] : kTypes)
        if (typeName == name)
            return type;
    return std::nullopt;
}

} // namespace

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
        text += (k == 0 ? "" : " ") + std::string(item);
    }
    return WriteOut(io, text + "\n");
}
