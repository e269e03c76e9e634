// Decoding IEEE 754 values from bytes written most significant first.
#pragma once

#include <cstdint>
#include <span>

// Reverses text bytes 0-3 into value bytes 0-3 (value bytes 4-7 are left as
// they are), so the value bytes hold the little-endian image of a single;
// returns that single widened to double, which is exact for every pattern
// (NaNs keep sign and payload as the widening does). Any host byte order.
double DecodeFloat(std::span<const std::uint8_t, 8> textBytes,
                   std::span<std::uint8_t, 8> valueBytes);

// Reverses all eight text bytes into the value bytes and returns the double
// whose little-endian image they are; the pattern is taken unchanged.
double DecodeDouble(std::span<const std::uint8_t, 8> textBytes,
                    std::span<std::uint8_t, 8> valueBytes);
