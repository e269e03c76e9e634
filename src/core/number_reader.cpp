#include "core/number_reader.h"
#include "core/text_chars.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

using text_chars::DigitValue;
using text_chars::IsCSpace;

// The end of the longest well-formed number at `p` (digits, an optional point
// and digits, at least one digit in all, then an optional exponent with
// optional sign and at least one digit), or `p` if none starts there. Handing
// from_chars exactly this span spares it malformed exponents.
const char* NumberEnd(const char* p, bool hex)
{
    const char* q = p;
    while (DigitValue(*q, hex) >= 0)
        ++q;
    bool anyDigit = q != p;
    if (*q == '.') {
        const char* fraction = ++q;
        while (DigitValue(*q, hex) >= 0)
            ++q;
        anyDigit = anyDigit || q != fraction;
    }
    if (!anyDigit)
        return p;
    const char letter = hex ? 'p' : 'e';
    if (*q == letter || *q == letter - 'a' + 'A') {
        const char* e = q + 1;
        if (*e == '+' || *e == '-')
            ++e;
        if (DigitValue(*e, false) >= 0) {
            while (DigitValue(*e, false) >= 0)
                ++e;
            q = e;
        }
    }
    return q;
}

// For a number from_chars found out of range: whether it is too large (rather
// than too small). Its magnitude is far beyond 1 either way, so the sign of
// its order of magnitude decides: digits before the point (after leading
// zeros), or minus the zeros after the point, plus the exponent.
bool TooLarge(const char* p, const char* last, bool hex)
{
    const long digitWeight = hex ? 4 : 1; // a hex exponent counts binary places
    long order = 0;
    while (p < last && *p == '0')
        ++p;
    for (; p < last && DigitValue(*p, hex) >= 0; ++p)
        order += digitWeight;
    if (p < last && *p == '.') {
        ++p;
        if (order == 0)
            for (; p < last && *p == '0'; ++p)
                order -= digitWeight;
        while (p < last && DigitValue(*p, hex) >= 0)
            ++p;
    }
    long exponent = 0;
    if (p < last) { // the exponent letter, e or p
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        for (; p < last; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1'000'000'000L);
        if (negative)
            exponent = -exponent;
    }
    return order + exponent > 0;
}

} // namespace

double ReadNumber(const char* text)
{
    const char* p = text;
    while (IsCSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;

    // "0x" starts a hexadecimal number only if digits follow; otherwise the
    // number is the "0". from_chars must never see a second sign.
    const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    const char* digits = hex ? p + 2 : p;
    if (!hex && (*digits == '-' || *digits == '+'))
        return 0.0;

    // Infinities and NaNs are words, which only from_chars reads.
    const char* numberEnd = NumberEnd(digits, hex);
    const char* end = numberEnd != digits || hex ? numberEnd : digits + std::strlen(digits);
    double magnitude = 0.0;
    const auto [last, ec] = std::from_chars(
        digits, end, magnitude, hex ? std::chars_format::hex : std::chars_format::general);
    if (ec == std::errc::invalid_argument && !hex)
        return 0.0; // no number at all: +0 whatever the sign
    if (ec == std::errc::invalid_argument)
        magnitude = 0.0; // "0x" without digits is the number 0
    else if (ec == std::errc::result_out_of_range)
        magnitude = TooLarge(digits, last, hex) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}
