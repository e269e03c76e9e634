// Reference column converters that bench/cli_bench.sh times against
// tarvel-cli, and whose output tarvel-cli's must equal byte for byte.
// Usage: cli_bench_refs stdio|block float|double|psi|metres|record < lines
//   stdio  the plain C way: fgets, strtoul/strtoull or atof, printf("%f\n")
//   block  one thread, 1 MiB read(2) blocks, hex parsed by hand,
//          std::from_chars, std::to_chars(fixed, 6), 1 MiB write(2) blocks
// record reads lines "PPPPPPPP TTTT SSSS" and writes "p,t,s" as tarvel-cli's
// record 'p=float,t=int16*0.01,s=uint16' does.
// The block reader accepts only what the benchmark generates (exactly 8 or
// 16 hex digits, a plain decimal, or a record's three words, per line) and
// stops with an error on anything else, so it never prints a guess that
// would spoil the comparison.
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

enum class Kind { Float, Double, Psi, Metres, Record };

constexpr double kPsiPerKpa = 0.1450377438972831;
constexpr double kSurfacePsi = 14.50377;
constexpr double kMetresPerPsi = 0.68525;
constexpr double kRecordFactor = 0.01; // t=int16*0.01

// Each operation rounds to double (the build has no contraction).
double Metres(double kpa)
{
    const double psi = kpa * kPsiPerKpa;
    const double gauge = psi - kSurfacePsi;
    return gauge * kMetresPerPsi;
}

double FloatFromBits(std::uint32_t bits)
{
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return static_cast<double>(value);
}

double DoubleFromBits(std::uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double Scaled(std::uint64_t word)
{
    return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(word))) *
           kRecordFactor;
}

// ---- stdio ---------------------------------------------------------------

void PrintRecordStdio(const char* line)
{
    char* end = nullptr;
    const auto p = static_cast<std::uint32_t>(std::strtoul(line, &end, 16));
    const auto t = std::strtoul(end, &end, 16);
    const auto s = std::strtoul(end, &end, 16);
    std::printf("%f,%f,%lu\n", FloatFromBits(p), Scaled(t), s & 0xFFFFu);
}

int RunStdio(Kind kind)
{
    char line[4096];
    while (std::fgets(line, sizeof line, stdin) != nullptr) {
        double value = 0;
        switch (kind) {
        case Kind::Record:
            PrintRecordStdio(line);
            continue;
        case Kind::Float:
            value = FloatFromBits(static_cast<std::uint32_t>(std::strtoul(line, nullptr, 16)));
            break;
        case Kind::Double:
            value = DoubleFromBits(static_cast<std::uint64_t>(std::strtoull(line, nullptr, 16)));
            break;
        case Kind::Psi:
            value = std::atof(line) * kPsiPerKpa;
            break;
        case Kind::Metres:
            value = Metres(std::atof(line));
            break;
        }
        std::printf("%f\n", value);
    }
    return std::ferror(stdin) == 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

// ---- block reader --------------------------------------------------------

constexpr std::size_t kBlock = 1 << 20;
// Room for the longest "%f" of a double (309 integer digits, sign, point,
// six decimals, newline) with plenty to spare; a record line is shorter.
constexpr std::size_t kLongestLine = 400;

// Hex digit values; 0xFF for anything else.
struct HexTable {
    std::uint8_t value[256];
    constexpr HexTable() : value()
    {
        for (auto& v : value)
            v = 0xFF;
        for (int c = 0; c < 10; ++c)
            value['0' + c] = static_cast<std::uint8_t>(c);
        for (int c = 0; c < 6; ++c) {
            value['A' + c] = static_cast<std::uint8_t>(10 + c);
            value['a' + c] = static_cast<std::uint8_t>(10 + c);
        }
    }
};
constexpr HexTable kHex;

[[noreturn]] void Reject(std::string_view line, const char* what)
{
    std::fprintf(stderr, "cli_bench_refs: not %s: '%.*s'\n", what,
                 static_cast<int>(line.size() > 80 ? 80 : line.size()), line.data());
    std::exit(1);
}

template <int Digits> std::uint64_t ParseHex(std::string_view line)
{
    if (line.size() != Digits)
        Reject(line, Digits == 4 ? "4 hex digits" : Digits == 8 ? "8 hex digits" : "16 hex digits");
    std::uint64_t bits = 0;
    std::uint8_t bad = 0;
    for (int k = 0; k < Digits; ++k) {
        const std::uint8_t digit =
            kHex.value[static_cast<unsigned char>(line[static_cast<std::size_t>(k)])];
        bad |= digit;
        bits = (bits << 4) | (digit & 0xFu);
    }
    // One check per line: only a non-digit has the high bit set.
    if ((bad & 0x80u) != 0)
        Reject(line, "hex digits");
    return bits;
}

double ParseDecimal(std::string_view line)
{
    double value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size())
        Reject(line, "a plain decimal");
    return value;
}

void WriteAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::perror("cli_bench_refs: write");
            std::exit(1);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

char* PutFixed6(char* out, double value)
{
    return std::to_chars(out, out + kLongestLine, value, std::chars_format::fixed, 6).ptr;
}

// "PPPPPPPP TTTT SSSS": three fixed-width words, one blank apart.
char* ConvertRecord(std::string_view line, char* out)
{
    if (line.size() != 18 || line[8] != ' ' || line[13] != ' ')
        Reject(line, "a record of 8, 4 and 4 hex digits");
    const std::uint64_t p = ParseHex<8>(line.substr(0, 8));
    const std::uint64_t t = ParseHex<4>(line.substr(9, 4));
    const std::uint64_t s = ParseHex<4>(line.substr(14, 4));
    out = PutFixed6(out, FloatFromBits(static_cast<std::uint32_t>(p)));
    *out++ = ',';
    out = PutFixed6(out, Scaled(t));
    *out++ = ',';
    out = std::to_chars(out, out + kLongestLine, s).ptr;
    *out++ = '\n';
    return out;
}

template <Kind K> char* Convert(std::string_view line, char* out)
{
    if constexpr (K == Kind::Record)
        return ConvertRecord(line, out);
    double value = 0;
    if constexpr (K == Kind::Float)
        value = FloatFromBits(static_cast<std::uint32_t>(ParseHex<8>(line)));
    else if constexpr (K == Kind::Double)
        value = DoubleFromBits(ParseHex<16>(line));
    else if constexpr (K == Kind::Psi)
        value = ParseDecimal(line) * kPsiPerKpa;
    else
        value = Metres(ParseDecimal(line));
    out = PutFixed6(out, value);
    *out++ = '\n';
    return out;
}

template <Kind K> int RunBlock()
{
    std::vector<char> input(kBlock);
    std::vector<char> output(kBlock + kLongestLine);
    char* const outBegin = output.data();
    char* const outFlush = outBegin + kBlock;
    char* out = outBegin;
    std::size_t held = 0; // bytes of an unfinished line at the front of input
    for (;;) {
        if (held == input.size())
            input.resize(input.size() * 2); // a line longer than a block
        const ssize_t n = ::read(STDIN_FILENO, input.data() + held, input.size() - held);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::perror("cli_bench_refs: read");
            return 1;
        }
        const char* const begin = input.data();
        const char* const end = begin + held + static_cast<std::size_t>(n);
        const char* line = begin;
        for (;;) {
            const void* found = std::memchr(line, '\n', static_cast<std::size_t>(end - line));
            if (found == nullptr)
                break;
            const char* const newline = static_cast<const char*>(found);
            out = Convert<K>(std::string_view(line, static_cast<std::size_t>(newline - line)), out);
            line = newline + 1;
            if (out >= outFlush) {
                WriteAll(outBegin, static_cast<std::size_t>(out - outBegin));
                out = outBegin;
            }
        }
        held = static_cast<std::size_t>(end - line);
        if (n == 0) {
            if (held > 0) // a last line without its newline
                out = Convert<K>(std::string_view(line, held), out);
            break;
        }
        std::memmove(input.data(), line, held);
    }
    WriteAll(outBegin, static_cast<std::size_t>(out - outBegin));
    return 0;
}

int RunBlock(Kind kind)
{
    switch (kind) {
    case Kind::Float:
        return RunBlock<Kind::Float>();
    case Kind::Double:
        return RunBlock<Kind::Double>();
    case Kind::Psi:
        return RunBlock<Kind::Psi>();
    case Kind::Metres:
        return RunBlock<Kind::Metres>();
    case Kind::Record:
        return RunBlock<Kind::Record>();
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const char usage[] = "usage: cli_bench_refs stdio|block float|double|psi|metres|record\n";
    if (argc != 3) {
        std::fputs(usage, stderr);
        return 2;
    }
    const std::string_view how = argv[1];
    const std::string_view name = argv[2];
    Kind kind = Kind::Float;
    if (name == "float")
        kind = Kind::Float;
    else if (name == "double")
        kind = Kind::Double;
    else if (name == "psi")
        kind = Kind::Psi;
    else if (name == "metres")
        kind = Kind::Metres;
    else if (name == "record")
        kind = Kind::Record;
    else {
        std::fputs(usage, stderr);
        return 2;
    }
    if (how == "stdio")
        return RunStdio(kind);
    if (how == "block")
        return RunBlock(kind);
    std::fputs(usage, stderr);
    return 2;
}
