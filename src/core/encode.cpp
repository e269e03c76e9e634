#include "core/encode.h"
#include "core/text_chars.h"

#include "core/binary_round.h"
#include "core/float_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace {

// Exponents are read up to this magnitude: far past any type's range, yet
// sums with digit counts stay well inside long long.
constexpr long long kExponentLimit = 1'000'000'000'000'000;

using text_chars::DigitValue;
using text_chars::EqualIgnoringCase;
using text_chars::IsCSpace;

// Digits with an optional point, at least one digit in all, then optionally
// the exponent letter, an optional sign and at least one decimal digit: the
// whole of `body`. Returns where the exponent letter stands (or the end), or
// npos when malformed.
std::size_t MantissaEnd(std::string_view body, bool hex)
{
    std::size_t k = 0;
    bool anyDigit = false;
    bool point = false;
    for (; k < body.size(); ++k) {
        if (DigitValue(body[k], hex) >= 0)
            anyDigit = true;
        else if (body[k] == '.' && !point)
            point = true;
        else
            break;
    }
    if (!anyDigit)
        return std::string_view::npos;
    const std::size_t mantissaEnd = k;
    if (k == body.size())
        return mantissaEnd;
    const char letter = hex ? 'p' : 'e';
    if (body[k] != letter && body[k] != letter - 'a' + 'A')
        return std::string_view::npos;
    ++k;
    if (k < body.size() && (body[k] == '+' || body[k] == '-'))
        ++k;
    if (k == body.size())
        return std::string_view::npos;
    for (; k < body.size(); ++k)
        if (DigitValue(body[k], false) < 0)
            return std::string_view::npos;
    return mantissaEnd;
}

// The exponent after the letter (`text` is well formed), saturated.
long long ReadExponent(std::string_view text)
{
    if (text.empty())
        return 0;
    text.remove_prefix(1); // the letter
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    long long value = 0;
    for (const char c : text)
        value = std::min(value * 10 + (c - '0'), kExponentLimit);
    return negative ? -value : value;
}

// A decimal magnitude as its significant digits (no leading or trailing
// zeros; none for zero) and the first one's power of ten.
struct Decimal {
    std::string digits;
    long long exponent = 0;
};

// `body`: digits with an optional point, then optionally an exponent, as
// MantissaEnd accepts or FormatExact writes.
Decimal Normalize(std::string_view body)
{
    const std::size_t end = std::min(body.find_first_of("eE"), body.size());
    const std::string_view mantissa = body.substr(0, end);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    Decimal d;
    long long weight = static_cast<long long>(point) - 1; // of the next digit
    for (const char c : mantissa) {
        if (c == '.')
            continue;
        if (d.digits.empty() && c == '0') {
            --weight;
            continue;
        }
        if (d.digits.empty())
            d.exponent = weight;
        d.digits += c;
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    d.exponent += ReadExponent(body.substr(end));
    return d;
}

// The sign of a - b, both non-negative.
int Compare(const Decimal& a, const Decimal& b)
{
    if (a.digits.empty() || b.digits.empty())
        return (a.digits.empty() ? 0 : 1) - (b.digits.empty() ? 0 : 1);
    if (a.exponent != b.exponent)
        return a.exponent < b.exponent ? -1 : 1;
    const int order = a.digits.compare(b.digits); // a prefix is the smaller
    return (order > 0) - (order < 0);
}

// A well-formed decimal magnitude read by from_chars, rounded once to T;
// beyond T's range, infinity or zero by the number's order of magnitude.
template <class T> T ReadDecimal(std::string_view body)
{
    T value{};
    const auto [last, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range)
        return Normalize(body).exponent > 0 ? std::numeric_limits<T>::infinity() : T{0};
    return value;
}

// A decimal magnitude for a 16-bit type. The double nearest the text rounds
// to the same pattern as the text itself unless it lies exactly halfway
// between two patterns (a midpoint is a double, so the text cannot be on
// the other side of it); there the text's exact digits decide.
std::uint64_t RoundDecimalToShort(FloatType type, std::string_view body)
{
    const double nearest = ReadDecimal<double>(body);
    const std::uint64_t down = RoundDouble(type, nearest, -1);
    const std::uint64_t up = RoundDouble(type, nearest, +1);
    if (down == up)
        return down;
    const int side = Compare(Normalize(body), Normalize(FormatExact(nearest)));
    return side > 0 ? up : side < 0 ? down : RoundDouble(type, nearest, 0);
}

// A well-formed hexadecimal magnitude (after "0x"): the first 16 significant
// digits exactly, whether any later one is nonzero, then one rounding.
std::uint64_t RoundHex(FloatType type, std::string_view body)
{
    const std::size_t end = std::min(body.find_first_of("pP"), body.size());
    std::uint64_t significand = 0;
    int kept = 0;
    long long exponent = ReadExponent(body.substr(end));
    bool sticky = false;
    bool afterPoint = false;
    for (const char c : body.substr(0, end)) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        const int digit = DigitValue(c, true);
        if (significand == 0 && digit == 0) { // leading zero
            exponent -= afterPoint ? 4 : 0;
        } else if (kept < 16) {
            significand = significand << 4 | static_cast<std::uint64_t>(digit);
            ++kept;
            exponent -= afterPoint ? 4 : 0;
        } else {
            sticky = sticky || digit != 0;
            exponent += afterPoint ? 0 : 4;
        }
    }
    // Past this the value is infinite or zero for every type, whatever the digits.
    const auto clamped = static_cast<int>(std::clamp(exponent, -100'000LL, 100'000LL));
    return RoundBinary(type, false, significand, clamped, sticky ? 1 : 0);
}

} // namespace

std::optional<std::uint64_t> EncodeBits(FloatType type, std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsCSpace(text.back()))
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);

    const std::uint64_t sign = negative ? SignBit(type) : 0;
    if (EqualIgnoringCase(text, "inf") || EqualIgnoringCase(text, "infinity"))
        return sign | InfinityBits(type);
    if (EqualIgnoringCase(text, "nan"))
        return sign | InfinityBits(type) | QuietBit(type);

    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string_view body = hex ? text.substr(2) : text;
    if (MantissaEnd(body, hex) == std::string_view::npos)
        return std::nullopt;
    if (hex)
        return sign | RoundHex(type, body);
    switch (type) {
    case FloatType::Float64:
        return sign | std::bit_cast<std::uint64_t>(ReadDecimal<double>(body));
    case FloatType::Float32:
        return sign | std::bit_cast<std::uint32_t>(ReadDecimal<float>(body));
    case FloatType::Half:
    case FloatType::BFloat16:
        break;
    }
    return sign | RoundDecimalToShort(type, body);
}
