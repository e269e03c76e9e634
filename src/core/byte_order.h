// The orders in which the bytes of a 2-, 4- or 8-byte value can stand in a
// text, A being the value's most significant byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// ABCD: as the value reads, most significant first. DCBA: all bytes reversed.
// CDAB: the 16-bit words in reverse order, each most significant byte first.
// BADC: the words in order, the two bytes of each swapped. Eight bytes follow
// the same rules over four words; a single word reads as written under ABCD
// and CDAB, swapped under DCBA and BADC.
// BYTE_ORDER_NAMES counts on this order.
enum class ByteOrder { ABCD, DCBA, CDAB, BADC };

// Every name of an order: the Kth stands for order K mod 4 (ABCD, DCBA, CDAB,
// BADC), so they come in fours, as messages list them, and AB, BA last.
// clang-format off
inline constexpr std::array<std::string_view, 18> BYTE_ORDER_NAMES = {
    "ABCD",     "DCBA",     "CDAB",      "BADC",
    "big",      "little",   "word-swap", "byte-swap",
    "1234",     "4321",     "3412",      "2143",
    "ABCDEFGH", "HGFEDCBA", "GHEFCDAB",  "BADCFEHG",
    "AB",       "BA"};
// clang-format on

// The order `name` stands for: one of BYTE_ORDER_NAMES in any case. No spaces
// are trimmed; anything else is nullopt.
std::optional<ByteOrder> ParseByteOrder(std::string_view name);

// How `order` shows for a value of `size` bytes: "AB"/"BA" for 2 (CDAB shows
// as "AB", BADC as "BA", since a single word has only two orders), the eight
// letters for 8, the four letters for 4 and any other size.
std::string_view ByteOrderName(ByteOrder order, std::size_t size);

// The bit pattern of the `size`-byte value (2, 4 or 8) whose bytes stand in
// `bytes`, in `order`, as written in a text: `bytes` holds them left to right
// and only its first `size` entries are read. The result means big-endian:
// its most significant byte is the value's. Host byte order plays no part. A
// size other than 2, 4 or 8, or above bytes.size(), gives 0.
std::uint64_t BitsFromBytes(std::span<const std::uint8_t> bytes, std::size_t size, ByteOrder order);

// The inverse: the low `size` bytes (2, 4 or 8) of `bits` as a text written in
// `order` holds them, left to right, in the first `size` entries; the rest are
// zero. Another size gives all zeros.
std::array<std::uint8_t, 8> BytesFromBits(std::uint64_t bits, std::size_t size, ByteOrder order);
