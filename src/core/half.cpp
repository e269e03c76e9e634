#include "core/half.h"

#include "core/binary_round.h"
#include "core/float_type.h"

double DecodeHalf(std::uint16_t bits)
{
    return DecodeBits(FloatType::Half, bits);
}

double DecodeBFloat16(std::uint16_t bits)
{
    return DecodeBits(FloatType::BFloat16, bits);
}

std::uint16_t EncodeHalf(double value)
{
    return static_cast<std::uint16_t>(RoundDouble(FloatType::Half, value, 0));
}

std::uint16_t EncodeBFloat16(double value)
{
    return static_cast<std::uint16_t>(RoundDouble(FloatType::BFloat16, value, 0));
}
