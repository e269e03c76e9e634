// Renders float32 and float64 bit patterns through Tarvel's own path (the bits
// as the decoders read them, widened for a float, written by CString::Format)
// and compares each text with the C library's snprintf("%f"); and with other
// decimals, RenderFixed's text with snprintf("%.*f"). Uses every core.
//
//   render_sweep float [FIRST COUNT]   float32 patterns, all 2^32 by default, also
//                                      through the float32 printer
//   render_sweep double COUNT [SEED]   random float64 patterns
//   render_sweep digits COUNT [SEED]   random float64 patterns, at 0 to 60 decimals
//   render_sweep edges                 at 0 to 60 decimals and exactly (every
//                                      digit): every power of two, powers of
//                                      ten, subnormals, the ties of each number
//                                      of decimals and their neighbours
//
// Prints the patterns checked, mismatches (the first few in full) and the time;
// exits 1 on any mismatch.
#include "core/float_format.h"
#include "core/render.h"
#include "framework/cstring.h"

#include <atomic>
#include <bit>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

std::atomic<std::uint64_t> g_mismatches{0};
std::mutex g_printMutex;

void Check(std::uint64_t bits, double value)
{
    CString ours;
    ours.Format("%f", value);
    char theirs[400];
    std::snprintf(theirs, sizeof theirs, "%f", value);
    if (std::strcmp(ours, theirs) != 0 && g_mismatches++ < 10) {
        const std::lock_guard<std::mutex> lock(g_printMutex);
        std::printf("mismatch %016" PRIx64 ": ours %s, C library %s\n", bits,
                    static_cast<const char*>(ours), theirs);
    }
}

// The columns' float32 printer against the C library's "%f" of the widened value.
void CheckFloat6(std::uint32_t bits)
{
    const float value = std::bit_cast<float>(bits);
    char ours[kFixed6MaxLength + 1];
    *RenderFloat6(value, ours) = '\0';
    char theirs[kFixed6MaxLength + 1];
    std::snprintf(theirs, sizeof theirs, "%f", static_cast<double>(value));
    if (std::strcmp(ours, theirs) != 0 && g_mismatches++ < 10) {
        const std::lock_guard<std::mutex> lock(g_printMutex);
        std::printf("mismatch %08" PRIx32 " (float): ours %s, C library %s\n", bits, ours, theirs);
    }
}

void CheckDigits(double value, int decimals)
{
    char ours[kFixedMaxLength + 1];
    *RenderFixed(value, decimals, ours) = '\0';
    char theirs[kFixedMaxLength + 1];
    std::snprintf(theirs, sizeof theirs, "%.*f", decimals, value);
    if (std::strcmp(ours, theirs) != 0 && g_mismatches++ < 10) {
        const std::lock_guard<std::mutex> lock(g_printMutex);
        std::printf("mismatch %a at %d decimals: ours %s, C library %s\n", value, decimals, ours,
                    theirs);
    }
}

// FormatExact against the C library's digits at 1074 places, the most a
// double has, less trailing zeros (and the point, for an integer).
void CheckExact(double value)
{
    static thread_local std::vector<char> theirs(1500);
    const int length = std::snprintf(theirs.data(), theirs.size(), "%.1074f", value);
    std::string_view text(theirs.data(), static_cast<std::size_t>(length));
    while (text.back() == '0')
        text.remove_suffix(1);
    if (text.back() == '.')
        text.remove_suffix(1);
    if (text == "-0" && !std::signbit(value))
        text = "0";
    const std::string ours = FormatExact(value);
    if (ours != text && g_mismatches++ < 10) {
        const std::lock_guard<std::mutex> lock(g_printMutex);
        std::printf("mismatch %a exact: ours %s, C library %.*s\n", value, ours.c_str(),
                    static_cast<int>(text.size()), text.data());
    }
}

// The values most likely to be rounded wrongly, each with its neighbours.
std::vector<double> Edges()
{
    std::vector<double> values{0.0, 5e-324, 2.2250738585072009e-308, 2.2250738585072014e-308,
                               1.7976931348623157e308, 0.5, 1.5, 2.5};
    for (int e = -1074; e <= 1023; ++e)
        values.push_back(std::ldexp(1.0, e));
    for (int e = -30; e <= 308; ++e)
        values.push_back(std::strtod(("1e" + std::to_string(e)).c_str(), nullptr));
    // (2k + 1) / 2^(d + 1) times 10^d is k + 1/2 times 5^d: a tie at d decimals.
    for (int d = 0; d <= 60; ++d)
        for (const double odd : {1.0, 3.0, 5.0, 7.0, 1001.0, 123456789.0, 9007199254740991.0})
            values.push_back(std::ldexp(odd, -(d + 1)));
    const std::size_t exact = values.size();
    for (std::size_t k = 0; k < exact; ++k) {
        values.push_back(std::nextafter(values[k], 0.0));
        values.push_back(std::nextafter(values[k], HUGE_VAL));
    }
    for (std::size_t k = 0, n = values.size(); k < n; ++k)
        values.push_back(-values[k]);
    return values;
}

// Runs work(thread, threads) on every core and returns the seconds taken.
template <class Work> double OnAllCores(Work work)
{
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(work, t, threads);
    for (std::thread& thread : pool)
        thread.join();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    std::uint64_t count = 0;
    double seconds = 0;
    if (mode == "float") {
        const std::uint64_t first = argc > 3 ? std::strtoull(argv[2], nullptr, 0) : 0;
        count = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : (std::uint64_t{1} << 32);
        seconds = OnAllCores([&](unsigned t, unsigned threads) {
            for (std::uint64_t n = t; n < count; n += threads) {
                const auto bits = static_cast<std::uint32_t>(first + n);
                Check(bits, static_cast<double>(std::bit_cast<float>(bits)));
                CheckFloat6(bits);
            }
        });
    } else if (mode == "double" && argc > 2) {
        count = std::strtoull(argv[2], nullptr, 0);
        const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 1;
        seconds = OnAllCores([&](unsigned t, unsigned threads) {
            std::mt19937_64 random(seed * 1000003 + t);
            for (std::uint64_t n = t; n < count; n += threads) {
                const std::uint64_t bits = random();
                Check(bits, std::bit_cast<double>(bits));
            }
        });
    } else if (mode == "digits" && argc > 2) {
        count = std::strtoull(argv[2], nullptr, 0);
        const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 1;
        seconds = OnAllCores([&](unsigned t, unsigned threads) {
            std::mt19937_64 random(seed * 1000003 + t);
            for (std::uint64_t n = t; n < count; n += threads) {
                const auto value = std::bit_cast<double>(random());
                CheckDigits(value, static_cast<int>(n % (kMaxFixedDecimals + 1)));
            }
        });
    } else if (mode == "edges") {
        const std::vector<double> values = Edges();
        count = values.size() * (kMaxFixedDecimals + 1);
        seconds = OnAllCores([&](unsigned t, unsigned threads) {
            for (std::size_t k = t; k < values.size(); k += threads) {
                for (int d = 0; d <= kMaxFixedDecimals; ++d)
                    CheckDigits(values[k], d);
                CheckExact(values[k]);
            }
        });
    } else {
        std::fprintf(stderr, "usage: render_sweep float [FIRST COUNT] | double COUNT [SEED] | "
                             "digits COUNT [SEED] | edges\n");
        return 2;
    }
    std::printf("%s: %" PRIu64 " patterns, %" PRIu64 " mismatches, %.1f s (%.1f million/s)\n",
                mode.c_str(), count, g_mismatches.load(), seconds,
                static_cast<double>(count) / seconds / 1e6);
    return g_mismatches.load() == 0 ? 0 : 1;
}
