#include "cli/options/parse_options.h"

#include "cli/options/option_checks.h"
#include "cli/options/option_table.h"
#include "cli/output/printable.h"
#include "core/encode.h"

#include <algorithm>
#include <bit>

namespace {

std::string AcceptedOptions(const CommandUsage& usage)
{
    std::string names;
    for (const OptionUse& use : usage.options)
        names += (names.empty() ? "" : ", ") + std::string(use.name);
    return names.empty() ? "none" : names;
}

// Takes the option `word` (with its argument at words[k], moving k past it).
bool TakeOption(std::string_view word, std::span<const std::string_view> words, std::size_t& k,
                const CommandUsage& usage, CliOptions& options, std::string& error)
{
    const OptionEntry* const found = FindOption(word);
    if (found == nullptr || !Takes(usage, word)) {
        error = (found == nullptr ? "unknown option '" + Printable(word) + "'"
                                  : "'" + std::string(word) + "' is not an option of " +
                                        std::string(usage.name)) +
                " (" + std::string(usage.name) + " takes " + AcceptedOptions(usage) + ")";
        return false;
    }
    std::string_view value;
    if (!found->argument.empty()) {
        if (k == words.size()) {
            error = std::string(word) + " needs " + std::string(found->argument);
            return false;
        }
        value = words[k++];
    }
    double number = 0;
    if (found->number) {
        const auto read = CheckedNumber(value, *found->number);
        if (!read) {
            error = std::string(word) + " takes " + DescribeRule(*found->number) + ", not '" +
                    Printable(value) + "'";
            return false;
        }
        number = *read;
    }
    return ApplyOption(*found, value, number, options, error);
}

} // namespace

std::optional<CommandWords> ParseCliOptions(std::span<const std::string_view> words,
                                            const CommandUsage& usage, CliOptions& options,
                                            std::string& error)
{
    CommandWords parsed;
    // Asked for help, a user gets it, whatever else the words hold.
    for (const std::string_view word : words) {
        if (word == "--")
            break;
        if (word == "--help" || word == "-h") {
            parsed.help = true;
            return parsed;
        }
    }
    bool optionsEnded = false;
    std::vector<std::pair<std::string_view, std::string_view>> given; // name, argument
    for (std::size_t k = 0; k < words.size();) {
        const std::string_view word = words[k++];
        if (optionsEnded || !(word.starts_with("--") || word == "-h")) {
            parsed.text.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            parsed.help = true;
        } else {
            const std::size_t at = k;
            if (!TakeOption(word, words, k, usage, options, error))
                return std::nullopt;
            const std::string_view argument = k > at ? words[at] : std::string_view();
            // A second value: which one was meant? A flag twice is a slip too.
            for (const auto& [name, before] : given)
                if (name == word) {
                    error =
                        std::string(word) + " is given twice" +
                        (k > at ? " ('" + Printable(before) + "', '" + Printable(argument) + "')"
                                : std::string()) +
                        "; give it once";
                    return std::nullopt;
                }
            given.emplace_back(word, argument);
        }
    }
    const auto format = std::find_if(given.begin(), given.end(),
                                     [](const auto& option) { return option.first == "--format"; });
    const bool digits = std::any_of(given.begin(), given.end(),
                                    [](const auto& option) { return option.first == "--digits"; });
    if (digits && format != given.end() && format->second != "fixed") {
        error = "--digits and --format " + Printable(format->second) +
                " contradict each other; --digits writes fixed notation";
        return std::nullopt;
    }
    if (!SettleDepthOptions(options, error) || !SettleInputOptions(usage, options, error))
        return std::nullopt;
    return parsed;
}

std::optional<double> ReadStrictNumber(std::string_view text)
{
    const auto bits = EncodeBits(FloatType::Float64, text);
    if (!bits)
        return std::nullopt;
    return std::bit_cast<double>(*bits);
}

std::string JoinWords(std::span<const std::string_view> words)
{
    std::string text;
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (k > 0)
            text += ' ';
        text += words[k];
    }
    return text;
}

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}
