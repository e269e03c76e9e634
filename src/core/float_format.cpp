#include "core/float_format.h"

#include "core/encode.h"
#include "core/render.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// "inf", "-inf", "nan" or "-nan" for a value that is no finite number; false
// for any finite one.
bool NonFiniteText(double value, std::string& text)
{
    if (std::isfinite(value))
        return false;
    static const std::string kNames[4] = {"inf", "-inf", "nan", "-nan"};
    text = kNames[(std::isnan(value) ? 2 : 0) + (std::signbit(value) ? 1 : 0)];
    return true;
}

// A non-negative integer in base 10^9 words, least significant first: enough
// for the exact digits of any double (at most 767 significant ones).
class BigDecimal {
public:
    explicit BigDecimal(std::uint64_t value)
    {
        do {
            words_.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    // Multiplies by `factor`, below 2^32: each word times factor plus carry
    // stays below 10^9 * 2^32 + 2^32, well within 64 bits.
    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& word : words_) {
            const std::uint64_t product = std::uint64_t{word} * factor + carry;
            word = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            words_.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }

    // Multiplies by base^count, `chunk` being base^chunkPower (below 2^32).
    void MultiplyPower(int count, std::uint32_t base, std::uint32_t chunk, int chunkPower)
    {
        for (; count >= chunkPower; count -= chunkPower)
            Multiply(chunk);
        std::uint32_t last = 1;
        for (; count > 0; --count)
            last *= base;
        Multiply(last);
    }

    std::string Digits() const
    {
        std::string text = std::to_string(words_.back());
        for (auto word = words_.rbegin() + 1; word != words_.rend(); ++word) {
            const std::string part = std::to_string(*word);
            text.append(9 - part.size(), '0');
            text += part;
        }
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> words_;
};

// The shortest digits of a 16-bit value, and where the point goes.
struct Digits {
    std::string digits; // significant digits, the first nonzero
    int exponent = 0;   // the first digit's power of ten
};

// `digits` x 10^(exponent - size + 1) as a decimal text EncodeBits reads.
std::string DecimalText(const Digits& d)
{
    return d.digits + "e" + std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
}

// The next p-digit decimal up or down (same count of digits, moving to the
// neighbouring power of ten when it carries or borrows out).
Digits Step(Digits d, bool up)
{
    std::string& s = d.digits;
    std::size_t k = s.size();
    if (up) {
        while (k > 0 && s[k - 1] == '9')
            s[--k] = '0';
        if (k == 0) { // 99..9 + 1 = 100..0, one place higher
            s[0] = '1';
            ++d.exponent;
        } else {
            ++s[k - 1];
        }
    } else {
        while (k > 0 && s[k - 1] == '0')
            s[--k] = '9';
        --s[k - 1];        // the first digit is nonzero, so the borrow stops by then
        if (s[0] == '0') { // 10..0 - 1: 99..9 one place lower, finer steps
            s.assign(s.size(), '9');
            --d.exponent;
        }
    }
    return d;
}

// The fewest digits that EncodeBits reads back as `magnitudeBits` (a positive
// finite pattern of `type`), trying for each count the nearest decimal to the
// value and then its neighbours: at a power of two the gap below is half the
// gap above, so the nearest may miss where a neighbour fits. Reading back goes
// through EncodeBits, which rounds once, so no double rounding can pass a
// wrong text. 17 digits always fit: they pin the double, which is the value.
Digits ShortestDigits(FloatType type, std::uint64_t magnitudeBits, double magnitude)
{
    Digits found;
    for (int precision = 1; precision <= 17; ++precision) {
        char buffer[64];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                           std::chars_format::scientific, precision - 1);
        const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
        const std::size_t e = text.find('e');
        Digits nearest;
        for (const char c : text.substr(0, e))
            if (c != '.')
                nearest.digits += c;
        std::string_view exponent = text.substr(e + 1);
        if (exponent.front() == '+')
            exponent.remove_prefix(1);
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), nearest.exponent);

        for (const Digits& candidate : {nearest, Step(nearest, true), Step(nearest, false)})
            if (EncodeBits(type, DecimalText(candidate)) == magnitudeBits)
                return candidate;
        found = nearest;
    }
    return found; // not reached: the 17-digit text reads back
}

// Digits and exponent laid out as std::to_chars lays out a value without
// format: plain or scientific, whichever is shorter, plain on a tie.
std::string Layout(const Digits& d)
{
    const int count = static_cast<int>(d.digits.size());
    const int x = d.exponent;
    const int exponentDigits = std::max(2, static_cast<int>(std::to_string(std::abs(x)).size()));
    const int scientificLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;
    int plainLength = 0;
    if (x >= count - 1)
        plainLength = x + 1;
    else if (x >= 0)
        plainLength = count + 1;
    else
        plainLength = count + 1 - x;

    if (plainLength <= scientificLength) {
        if (x >= count - 1)
            return d.digits + std::string(static_cast<std::size_t>(x - count + 1), '0');
        if (x >= 0)
            return d.digits.substr(0, static_cast<std::size_t>(x) + 1) + "." +
                   d.digits.substr(static_cast<std::size_t>(x) + 1);
        std::string text = "0.";
        text.append(static_cast<std::size_t>(-x - 1), '0');
        return text + d.digits;
    }
    std::string text = d.digits.substr(0, 1);
    if (count > 1) {
        text += '.';
        text.append(d.digits, 1);
    }
    text += x < 0 ? "e-" : "e+";
    const std::string power = std::to_string(std::abs(x));
    if (power.size() < 2)
        text += '0';
    return text + power;
}

} // namespace

std::string FormatShortest(FloatType type, std::uint64_t bits)
{
    const double value = DecodeBits(type, bits);
    std::string text;
    if (NonFiniteText(value, text))
        return text;
    char buffer[64];
    if (type == FloatType::Float64 || type == FloatType::Float32) {
        const auto written =
            type == FloatType::Float64
                ? std::to_chars(buffer, buffer + sizeof buffer, value)
                : std::to_chars(buffer, buffer + sizeof buffer,
                                std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
        return {buffer, written.ptr};
    }
    const std::uint64_t magnitudeBits = bits & (SignBit(type) - 1);
    text.assign((bits & SignBit(type)) != 0 ? 1 : 0, '-');
    if (magnitudeBits == 0)
        return text + "0";
    return text + Layout(ShortestDigits(type, magnitudeBits, std::fabs(value)));
}

std::string FormatExact(double value)
{
    std::string text;
    if (NonFiniteText(value, text))
        return text;
    const FloatFields fields = FieldsOf(FloatType::Float64, std::bit_cast<std::uint64_t>(value));
    text.assign(fields.negative ? 1 : 0, '-');
    auto [significand, exponent] = MagnitudeOf(fields);
    if (significand == 0)
        return text + "0";
    // An odd significand: a value below 1 then ends in the digit 5, so it has
    // no trailing zeros to strip.
    const int zeros = std::countr_zero(significand);
    significand >>= zeros;
    exponent += zeros;
    BigDecimal number(significand);
    if (exponent >= 0) {
        number.MultiplyPower(exponent, 2, 1u << 29, 29);
        return text + number.Digits();
    }
    // m * 2^-k = m * 5^k / 10^k: the digits of m * 5^k with the point k places
    // from the right.
    const auto places = static_cast<std::size_t>(-exponent);
    number.MultiplyPower(-exponent, 5, 1'220'703'125u, 13);
    const std::string digits = number.Digits();
    if (digits.size() <= places)
        return text + "0." + std::string(places - digits.size(), '0') + digits;
    const std::size_t whole = digits.size() - places;
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::string FormatHex(double value)
{
    std::string text;
    if (NonFiniteText(value, text))
        return text;
    const FloatFields fields = FieldsOf(FloatType::Float64, std::bit_cast<std::uint64_t>(value));
    text = fields.negative ? "-0x" : "0x";
    const auto biased = static_cast<int>(fields.exponent);
    std::uint64_t fraction = fields.fraction;
    if (biased == 0 && fraction == 0)
        return text + "0p+0";
    text += biased == 0 ? '0' : '1';
    if (fraction != 0) {
        text += '.';
        for (int nibble = 12; nibble >= 0 && fraction != 0; --nibble) {
            const auto digit = static_cast<unsigned>(fraction >> (4 * nibble)) & 0xFu;
            text += "0123456789abcdef"[digit];
            fraction &= (std::uint64_t{1} << (4 * nibble)) - 1;
        }
    }
    const int exponent = biased == 0 ? -1022 : biased - 1023;
    return text + (exponent < 0 ? "p-" : "p+") + std::to_string(std::abs(exponent));
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[kFixedMaxLength];
    return {buffer, RenderFixed(value, decimals, buffer)};
}
