// Reads a fuzz input as typed values, in order from the front, so that each
// target states the structure of its input in code instead of splitting it at
// separator bytes that the mutator keeps inserting and deleting. A read past
// the end still gives a value (the least of its range, false, empty), so a
// target never has to check what is left before it reads.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace fuzz {

class ByteProvider {
public:
    ByteProvider(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Remaining() const { return m_size - m_at; }

    // A value in [min, max], from the fewest bytes that can cover the range
    // (none when it holds one value), most significant first, reduced modulo
    // the range's size. Bytes missing at the end are not read.
    template <std::integral T> T ConsumeIntegral(T min, T max)
    {
        static_assert(!std::same_as<T, bool>, "ConsumeBool reads a bool");
        using U = std::make_unsigned_t<T>;
        // Cast back before widening: a narrow difference is promoted to int.
        const std::uint64_t span = static_cast<U>(static_cast<U>(max) - static_cast<U>(min));
        std::uint64_t value = 0;
        for (std::uint64_t left = span; left != 0 && m_at < m_size; left >>= 8)
            value = (value << 8) | m_data[m_at++];
        if (span != std::numeric_limits<std::uint64_t>::max())
            value %= span + 1;
        return static_cast<T>(static_cast<U>(static_cast<U>(min) + value));
    }

    // The low bit of one byte.
    bool ConsumeBool() { return ConsumeIntegral<std::uint8_t>(0, 1) == 1; }

    // A length in [0, maxLength] as ConsumeIntegral reads it, then that many
    // bytes, or as many as are left.
    std::string ConsumeString(std::size_t maxLength)
    {
        return Text(Take(ConsumeIntegral<std::size_t>(0, maxLength)));
    }
    std::vector<std::uint8_t> ConsumeBytes(std::size_t maxLength)
    {
        return Copy(Take(ConsumeIntegral<std::size_t>(0, maxLength)));
    }

    std::string ConsumeRemainingString() { return Text(Take(Remaining())); }
    std::vector<std::uint8_t> ConsumeRemainingBytes() { return Copy(Take(Remaining())); }

private:
    // Moves past up to `length` bytes and gives them.
    std::span<const std::uint8_t> Take(std::size_t length)
    {
        length = std::min(length, Remaining());
        m_at += length;
        return {m_data + m_at - length, length};
    }
    static std::string Text(std::span<const std::uint8_t> bytes)
    {
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static std::vector<std::uint8_t> Copy(std::span<const std::uint8_t> bytes)
    {
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace fuzz
