#include "cli/input/byte_text.h"

#include "cli/output/printable.h"
#include "core/text_chars.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace {

bool IsSeparator(char c, std::string_view separators)
{
    return separators.find(c) != std::string_view::npos;
}

std::string At(std::size_t position)
{
    return "position " + std::to_string(position + 1) + ": ";
}

// What each byte is to the strict reader: a hex digit's value, a separator,
// or neither.
constexpr std::uint8_t kSeparator = 16;
constexpr std::uint8_t kNeither = 17;
constexpr auto kCleanHexClass = [] {
    std::array<std::uint8_t, 256> classes{};
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const int digit = text_chars::DigitValue(static_cast<char>(c), true);
        classes[c] = digit >= 0 ? static_cast<std::uint8_t>(digit) : kNeither;
    }
    for (const char c : std::string_view(" \t:-,_"))
        classes[static_cast<unsigned char>(c)] = kSeparator;
    return classes;
}();

// ReadCleanHex for text it accepts, a pair of digits at a time; false, with
// `bytes` undefined, for anything it would refuse, which the careful reader
// below then explains.
bool ReadCleanHexFast(std::string_view text, std::vector<std::uint8_t>& bytes)
{
    bytes.resize(text.size() / 2);
    std::uint8_t* out = bytes.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = p + text.size();
    while (p < end) {
        if (kCleanHexClass[*p] == kSeparator) {
            ++p;
            continue;
        }
        if (*p == '0' && end - p >= 2 && (p[1] | 0x20) == 'x')
            p += 2;
        const unsigned char* const group = p;
        for (; end - p >= 2; p += 2) {
            const std::uint8_t high = kCleanHexClass[p[0]];
            const std::uint8_t low = kCleanHexClass[p[1]];
            if ((high | low) > 15)
                break;
            *out++ = static_cast<std::uint8_t>(high << 4 | low);
        }
        if (p == group || (p < end && kCleanHexClass[*p] != kSeparator))
            return false; // no digits, an odd count, or a stray character
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return true;
}

// One pair of `p` as a byte into `byte`; returns both digits' classes or'ed,
// above 15 when either is not a hex digit.
std::uint8_t ReadPair(const unsigned char* p, std::uint8_t& byte)
{
    const std::uint8_t high = kCleanHexClass[p[0]];
    const std::uint8_t low = kCleanHexClass[p[1]];
    byte = static_cast<std::uint8_t>(high << 4 | low);
    return high | low;
}

// `count` pairs of `p` as bytes; false when one is not two hex digits.
// Inlined, a count the caller knows makes a loop of known length.
inline bool ReadPairs(const unsigned char* p, std::size_t count, std::uint8_t* bytes)
{
    std::uint8_t any = 0; // every digit's class or'ed: above 15 when one is not a digit
    for (std::size_t k = 0; k < count; ++k)
        any |= ReadPair(p + 2 * k, bytes[k]);
    return any <= 15;
}

} // namespace

bool ReadPlainHex(std::string_view text, std::uint8_t* bytes)
{
    if (text.size() % 2 != 0 || text.size() > 2 * kMostPlainHexBytes)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    if (text.size() == 8) // a float32's, the common case
        return ReadPairs(p, 4, bytes);
    return ReadPairs(p, text.size() / 2, bytes);
}

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool ReadCleanHex(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& error)
{
    if (ReadCleanHexFast(text, bytes))
        return true;
    constexpr std::string_view kSeparators = " \t:-,_";
    const auto digit = [](char c) { return text_chars::DigitValue(c, true); };
    bytes.clear();
    std::size_t k = 0;
    while (k < text.size()) {
        if (IsSeparator(text[k], kSeparators)) {
            ++k;
            continue;
        }
        const bool prefixed = text.substr(k, 2) == "0x" || text.substr(k, 2) == "0X";
        k += prefixed ? 2 : 0;
        const std::size_t group = k;
        while (k < text.size() && digit(text[k]) >= 0)
            ++k;
        if (prefixed && k == group) {
            error = At(group - 2) + "'" + Printable(text.substr(group - 2, 2)) +
                    "' without hex digits after it";
            return false;
        }
        if (k == group || (k < text.size() && !IsSeparator(text[k], kSeparators))) {
            error =
                At(k) + "'" + Printable(text.substr(k, 1)) + "' is not a hex digit or separator";
            return false;
        }
        if ((k - group) % 2 != 0) {
            error = At(group) + "odd number of digits in '" +
                    Printable(text.substr(group, k - group)) + "'";
            return false;
        }
        for (std::size_t j = group; j < k; j += 2)
            bytes.push_back(static_cast<std::uint8_t>(digit(text[j]) * 16 + digit(text[j + 1])));
    }
    return true;
}

bool ReadRegisterText(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& error)
{
    constexpr std::string_view kSeparators = " \t,";
    bytes.clear();
    for (std::size_t k = 0, number = 1; k < text.size();) {
        if (IsSeparator(text[k], kSeparators)) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < text.size() && !IsSeparator(text[end], kSeparators))
            ++end;
        const std::string_view word = text.substr(k, end - k);
        long value = 0;
        const auto [stop, problem] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (problem != std::errc() || stop != word.data() + word.size() || value < -32768 ||
            value > 65535) {
            error = At(k) + "register " + std::to_string(number) + " '" + Printable(word) +
                    "' is not a number from 0 to 65535 (or -32768 to -1)";
            return false;
        }
        const auto word16 = static_cast<std::uint16_t>(value < 0 ? value + 65536 : value);
        bytes.push_back(static_cast<std::uint8_t>(word16 >> 8));
        bytes.push_back(static_cast<std::uint8_t>(word16 & 0xFF));
        k = end;
        ++number;
    }
    return true;
}
