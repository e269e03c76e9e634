// Inputs for bench/cli_bench.sh, one text per line on standard output.
// Usage: cli_bench_inputs float|double|range|kpa COUNT SEED
//   float   random 32-bit patterns, 8 uppercase hex digits
//   double  random 64-bit patterns, 16 uppercase hex digits
//   range   doubles uniform in [-1e6, 1e6), as their 16-hex-digit patterns
//   kpa     decimal kPa texts in 0..100000 with 0 to 5 decimals
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: cli_bench_inputs float|double|range|kpa COUNT SEED\n", stderr);
        return 2;
    }
    const std::string_view kind = argv[1];
    const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
    std::mt19937_64 random(std::strtoull(argv[3], nullptr, 10));
    if (kind != "float" && kind != "double" && kind != "range" && kind != "kpa") {
        std::fprintf(stderr, "cli_bench_inputs: unknown kind '%s'\n", argv[1]);
        return 2;
    }

    // Written in large blocks: a line is at most 24 bytes.
    std::vector<char> buffer(1 << 20);
    char* const begin = buffer.data();
    char* const flushAt = begin + buffer.size() - 64;
    char* out = begin;
    for (unsigned long long n = 0; n < count; ++n) {
        if (kind == "float") {
            out = PutHex(out, random() >> 32, 8);
        } else if (kind == "double") {
            out = PutHex(out, random(), 16);
        } else if (kind == "range") {
            const double unit = static_cast<double>(random() >> 11) * 0x1p-53;
            const double value = (unit * 2.0 - 1.0) * 1e6;
            std::uint64_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            out = PutHex(out, bits, 16);
        } else {
            out = PutKpa(out, random);
        }
        *out++ = '\n';
        if (out >= flushAt) {
            std::fwrite(begin, 1, static_cast<std::size_t>(out - begin), stdout);
            out = begin;
        }
    }
    std::fwrite(begin, 1, static_cast<std::size_t>(out - begin), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
