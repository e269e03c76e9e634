// Inputs for bench/cli_bench.sh on standard output, COUNT values.
// Usage: cli_bench_inputs KIND COUNT SEED
//   float        random 32-bit patterns, 8 uppercase hex digits a line
//   double       random 64-bit patterns, 16 uppercase hex digits a line
//   range        doubles uniform in [-1e6, 1e6), as their 16-hex-digit patterns
//   kpa          decimal kPa texts in 0..100000 with 0 to 5 decimals
//   float-bin    the patterns of float, as raw bytes, most significant first
//   double-bin   the patterns of double, as raw bytes, most significant first
//   float-log    a data logger's CSV: time,pattern,state, one a second, with
//                the patterns of float in the second field
//   record       "PPPPPPPP TTTT SSSS": the patterns of float, then two random
//                16-bit words
// With the same SEED the float kinds carry the same values, and so do the
// double kinds, so each can be timed against the plain column.
// The generator is written out (not std::uniform_*_distribution) so a seed
// gives the same file with any standard library.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

char* PutHex(char* out, std::uint64_t bits, int digits)
{
    for (int k = digits - 1; k >= 0; --k) {
        out[k] = kHexDigits[bits & 0xF];
        bits >>= 4;
    }
    return out + digits;
}

// Uniform in [0, bound) without modulo bias mattering at these sizes.
std::uint64_t Below(std::mt19937_64& random, std::uint64_t bound)
{
    return random() % bound;
}

// A kPa text with a varying number of integer digits (so small and large
// readings both occur) and of decimals.
char* PutKpa(char* out, std::mt19937_64& random)
{
    static constexpr std::uint64_t kLimits[] = {10, 100, 1000, 10000, 100000};
    const std::uint64_t whole = Below(random, kLimits[Below(random, 5)]);
    out = std::to_chars(out, out + 24, whole).ptr;
    const int decimals = static_cast<int>(Below(random, 6));
    if (decimals > 0) {
        *out++ = '.';
        for (int k = 0; k < decimals; ++k)
            *out++ = static_cast<char>('0' + Below(random, 10));
    }
    return out;
}

char* PutBigEndian(char* out, std::uint64_t bits, int bytes)
{
    for (int k = bytes - 1; k >= 0; --k) {
        out[k] = static_cast<char>(bits & 0xFF);
        bits >>= 8;
    }
    return out + bytes;
}

char* PutTwo(char* out, unsigned value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

// "YYYY-MM-DDTHH:MM:SSZ" for whole seconds since 1970 (proleptic Gregorian
// civil date from the day count, in 400-year eras).
char* PutUtc(char* out, std::uint64_t seconds)
{
    const std::uint64_t days = seconds / 86400;
    const unsigned daySecond = static_cast<unsigned>(seconds % 86400);
    const std::uint64_t shifted = days + 719468; // from 0000-03-01
    const std::uint64_t era = shifted / 146097;
    const std::uint64_t dayOfEra = shifted - era * 146097;
    const std::uint64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint64_t monthIndex = (5 * dayOfYear + 2) / 153; // from March
    const unsigned day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const unsigned month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const std::uint64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    out = std::to_chars(out, out + 20, year).ptr;
    *out++ = '-';
    out = PutTwo(out, month);
    *out++ = '-';
    out = PutTwo(out, day);
    *out++ = 'T';
    out = PutTwo(out, daySecond / 3600);
    *out++ = ':';
    out = PutTwo(out, daySecond / 60 % 60);
    *out++ = ':';
    out = PutTwo(out, daySecond % 60);
    *out++ = 'Z';
    return out;
}

// 2026-12-08T10:00:00Z
constexpr std::uint64_t kLogStart = 1796724000;

enum class Kind { Float, Double, Range, Kpa, FloatBin, DoubleBin, FloatLog, Record };

struct KindName {
    std::string_view name;
    Kind kind;
};

constexpr KindName kKinds[] = {
    {"float", Kind::Float},        {"double", Kind::Double},
    {"range", Kind::Range},        {"kpa", Kind::Kpa},
    {"float-bin", Kind::FloatBin}, {"double-bin", Kind::DoubleBin},
    {"float-log", Kind::FloatLog}, {"record", Kind::Record},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: cli_bench_inputs float|double|range|kpa|float-bin|double-bin|"
                   "float-log|record COUNT SEED\n",
                   stderr);
        return 2;
    }
    const KindName* found = nullptr;
    for (const KindName& k : kKinds) {
        if (k.name == argv[1])
            found = &k;
    }
    if (found == nullptr) {
        std::fprintf(stderr, "cli_bench_inputs: unknown kind '%s'\n", argv[1]);
        return 2;
    }
    const Kind kind = found->kind;
    const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
    const unsigned long long seed = std::strtoull(argv[3], nullptr, 10);
    std::mt19937_64 random(seed);
    // The record's words come from a stream of their own, so that its floats
    // stay those of the float column with the same seed.
    std::mt19937_64 words(seed ^ 0x9E3779B97F4A7C15u);

    // Written in large blocks: a line is at most 64 bytes.
    std::vector<char> buffer(1 << 20);
    char* const begin = buffer.data();
    char* const flushAt = begin + buffer.size() - 64;
    char* out = begin;
    for (unsigned long long n = 0; n < count; ++n) {
        switch (kind) {
        case Kind::Float:
            out = PutHex(out, random() >> 32, 8);
            break;
        case Kind::Double:
            out = PutHex(out, random(), 16);
            break;
        case Kind::Range: {
            const double unit = static_cast<double>(random() >> 11) * 0x1p-53;
            const double value = (unit * 2.0 - 1.0) * 1e6;
            std::uint64_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            out = PutHex(out, bits, 16);
            break;
        }
        case Kind::Kpa:
            out = PutKpa(out, random);
            break;
        case Kind::FloatBin:
            out = PutBigEndian(out, random() >> 32, 4);
            break;
        case Kind::DoubleBin:
            out = PutBigEndian(out, random(), 8);
            break;
        case Kind::FloatLog:
            out = PutUtc(out, kLogStart + n);
            *out++ = ',';
            out = PutHex(out, random() >> 32, 8);
            *out++ = ',';
            *out++ = 'o';
            *out++ = 'k';
            break;
        case Kind::Record: {
            out = PutHex(out, random() >> 32, 8);
            const std::uint64_t both = words();
            *out++ = ' ';
            out = PutHex(out, both >> 48, 4);
            *out++ = ' ';
            out = PutHex(out, (both >> 32) & 0xFFFF, 4);
            break;
        }
        }
        if (kind != Kind::FloatBin && kind != Kind::DoubleBin)
            *out++ = '\n';
        if (out >= flushAt) {
            std::fwrite(begin, 1, static_cast<std::size_t>(out - begin), stdout);
            out = begin;
        }
    }
    std::fwrite(begin, 1, static_cast<std::size_t>(out - begin), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
