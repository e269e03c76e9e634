#include "core/float_format.h"

#include "core/digits.h"
#include "core/encode.h"
#include "core/render.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

// Writes "inf", "-inf", "nan" or "-nan" for a value that is no finite
// number and returns the end; null for any finite one, writing nothing.
char* NonFiniteText(double value, char* out)
{
    if (std::isfinite(value))
        return nullptr;
    if (std::signbit(value))
        *out++ = '-';
    const std::string_view name = std::isnan(value) ? "nan" : "inf";
    return std::copy(name.begin(), name.end(), out);
}

// A non-negative integer in base 10^9 words, least significant first: enough
// for the exact digits of any double (at most 767 significant ones).
class BigDecimal {
public:
    explicit BigDecimal(std::uint64_t value)
    {
        do {
            words_[count_++] = static_cast<std::uint32_t>(value % kBase);
            value /= kBase;
        } while (value != 0);
    }

    // Multiplies by `factor`, below 2^32: each word times factor plus carry
    // stays below 10^9 * 2^32 + 2^32, well within 64 bits.
    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < count_; ++k) {
            const std::uint64_t product = std::uint64_t{words_[k]} * factor + carry;
            words_[k] = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            words_[count_++] = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
    }

    // Multiplies by `other`, this holding at most three words (a 64-bit
    // value): each column sums at most three products below 10^18.
    void Multiply(const BigDecimal& other)
    {
        std::array<std::uint64_t, kWords> columns{};
        for (std::size_t i = 0; i < count_; ++i)
            for (std::size_t j = 0; j < other.count_; ++j)
                columns[i + j] += std::uint64_t{words_[i]} * other.words_[j];
        count_ += other.count_;
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < count_; ++k) {
            const std::uint64_t sum = columns[k] + carry;
            words_[k] = static_cast<std::uint32_t>(sum % kBase);
            carry = sum / kBase;
        }
        while (count_ > 1 && words_[count_ - 1] == 0)
            --count_;
    }

    // How many digits Digits writes.
    std::ptrdiff_t DigitCount() const
    {
        return 9 * static_cast<std::ptrdiff_t>(count_ - 1) + ::DigitCount(words_[count_ - 1]);
    }

    // Writes the digits, the first nonzero, and returns the end.
    char* Digits(char* out) const
    {
        out = WriteDigits(words_[count_ - 1], ::DigitCount(words_[count_ - 1]), out);
        for (std::size_t k = count_ - 1; k-- > 0;)
            out = WriteDigits(words_[k], 9, out);
        return out;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;
    // 767 significant digits at most, and room for a product's top words.
    static constexpr std::size_t kWords = 90;
    std::array<std::uint32_t, kWords> words_{};
    std::size_t count_ = 0;
};

// base^(step * q) for every q up to the largest power of `base` an exact
// double needs, made once: base^k is then a table entry times base^r, r below
// `step`, small enough that a significand times it stays within 64 bits.
struct PowerTable {
    std::uint32_t base;
    int step;
    std::vector<BigDecimal> powers;

    PowerTable(std::uint32_t tableBase, int tableStep, int most) : base(tableBase), step(tableStep)
    {
        std::uint32_t chunk = 1;
        for (int k = 0; k < step; ++k)
            chunk *= base;
        powers.emplace_back(1);
        for (int power = step; power - step <= most; power += step) {
            powers.push_back(powers.back());
            powers.back().Multiply(chunk);
        }
    }

    // `significand` (below 2^53) times base^power.
    BigDecimal Times(std::uint64_t significand, int power) const
    {
        for (int k = 0; k < power % step; ++k)
            significand *= base;
        BigDecimal product(significand);
        product.Multiply(powers[static_cast<std::size_t>(power / step)]);
        return product;
    }
};

// 5^4 and 2^10 times a significand stay below 2^63.
const PowerTable& FivePowers()
{
    static const PowerTable table(5, 5, 1074);
    return table;
}
const PowerTable& TwoPowers()
{
    static const PowerTable table(2, 11, 1023); // 2^1023 is 1 times 2^1023
    return table;
}

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

char* WriteShortest(FloatType type, std::uint64_t bits, char* out)
{
    const double value = DecodeBits(type, bits);
    if (char* end = NonFiniteText(value, out))
        return end;
    if (type == FloatType::Float64)
        return std::to_chars(out, out + kMaxShortestLength, value).ptr;
    if (type == FloatType::Float32)
        return std::to_chars(out, out + kMaxShortestLength,
                             std::bit_cast<float>(static_cast<std::uint32_t>(bits)))
            .ptr;
    const std::uint64_t magnitudeBits = bits & (SignBit(type) - 1);
    if ((bits & SignBit(type)) != 0)
        *out++ = '-';
    if (magnitudeBits == 0) {
        *out++ = '0';
        return out;
    }
    const std::string text = Layout(ShortestDigits(type, magnitudeBits, std::fabs(value)));
    return std::copy(text.begin(), text.end(), out);
}

char* WriteExact(double value, char* out)
{
    if (char* end = NonFiniteText(value, out))
        return end;
    const FloatFields fields = FieldsOf(FloatType::Float64, std::bit_cast<std::uint64_t>(value));
    if (fields.negative)
        *out++ = '-';
    auto [significand, exponent] = MagnitudeOf(fields);
    if (significand == 0) {
        *out++ = '0';
        return out;
    }
    // An odd significand: a value below 1 then ends in the digit 5, so it has
    // no trailing zeros to strip.
    const int zeros = std::countr_zero(significand);
    significand >>= zeros;
    exponent += zeros;
    if (exponent >= 0)
        return TwoPowers().Times(significand, exponent).Digits(out);
    // m * 2^-k = m * 5^k / 10^k: the digits of m * 5^k with the point k places
    // from the right.
    const auto places = static_cast<std::ptrdiff_t>(-exponent);
    const BigDecimal number = FivePowers().Times(significand, -exponent);
    const std::ptrdiff_t count = number.DigitCount();
    if (count <= places) {
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', static_cast<std::size_t>(places - count));
        return number.Digits(out + (places - count));
    }
    const std::ptrdiff_t whole = count - places;
    char* const end = number.Digits(out);
    std::memmove(out + whole + 1, out + whole, static_cast<std::size_t>(places));
    out[whole] = '.';
    return end + 1;
}

char* WriteHex(double value, char* out)
{
    if (char* end = NonFiniteText(value, out))
        return end;
    const FloatFields fields = FieldsOf(FloatType::Float64, std::bit_cast<std::uint64_t>(value));
    if (fields.negative)
        *out++ = '-';
    *out++ = '0';
    *out++ = 'x';
    const auto biased = static_cast<int>(fields.exponent);
    std::uint64_t fraction = fields.fraction;
    if (biased == 0 && fraction == 0) {
        const std::string_view zero = "0p+0";
        return std::copy(zero.begin(), zero.end(), out);
    }
    *out++ = biased == 0 ? '0' : '1';
    if (fraction != 0) {
        *out++ = '.';
        for (int nibble = 12; nibble >= 0 && fraction != 0; --nibble) {
            const auto digit = static_cast<unsigned>(fraction >> (4 * nibble)) & 0xFu;
            *out++ = "0123456789abcdef"[digit];
            fraction &= (std::uint64_t{1} << (4 * nibble)) - 1;
        }
    }
    const int exponent = biased == 0 ? -1022 : biased - 1023;
    *out++ = 'p';
    *out++ = exponent < 0 ? '-' : '+';
    return std::to_chars(out, out + 4, std::abs(exponent)).ptr;
}

std::string FormatShortest(FloatType type, std::uint64_t bits)
{
    char buffer[kMaxShortestLength];
    return {buffer, WriteShortest(type, bits, buffer)};
}

std::string FormatExact(double value)
{
    std::string text(kMaxExactLength, '\0');
    text.resize(static_cast<std::size_t>(WriteExact(value, text.data()) - text.data()));
    return text;
}

std::string FormatHex(double value)
{
    char buffer[kMaxHexLength];
    return {buffer, WriteHex(value, buffer)};
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[kFixedMaxLength];
    return {buffer, RenderFixed(value, decimals, buffer)};
}
