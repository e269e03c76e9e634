#include "core/encode.h"
#include "core/float_format.h"
#include "core/float_type.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace {

// Shortest text, read back, gives the same pattern (NaNs aside: their payload
// is not written).
void ExpectRoundTrip(FloatType type, std::uint64_t bits)
{
    if (std::isnan(DecodeBits(type, bits)))
        return;
    const std::string text = FormatShortest(type, bits);
    ASSERT_EQ(EncodeBits(type, text), bits) << "pattern " << std::hex << bits << ": " << text;
}

TEST(RoundTrip, EverySixteenBitPattern)
{
    for (std::uint64_t bits = 0; bits <= 0xFFFF; ++bits) {
        ExpectRoundTrip(FloatType::Half, bits);
        ExpectRoundTrip(FloatType::BFloat16, bits);
    }
}

TEST(RoundTrip, MillionRandomFloatsAndDoubles)
{
    std::mt19937_64 random(20240611);
    for (int k = 0; k < 1'000'000; ++k) {
        const std::uint64_t bits = random();
        ExpectRoundTrip(FloatType::Float32, bits >> 32);
        ExpectRoundTrip(FloatType::Float64, bits);
    }
}

} // namespace
