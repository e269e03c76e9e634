// Reading hexadecimal byte pairs, most significant byte first.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The 4-bit value of a hex digit: '0'-'9' give 0-9, 'A'-'F' and 'a'-'f' give
// 10-15. Any other byte still yields a value by the same arithmetic (codes up
// to '9' keep their low nibble, others add 9 modulo 256 first), e.g. ' ' 0,
// ',' 12, '-' 13, ':' 3, 'x' 1. Never fails.
std::uint8_t HexDigitValue(char ch);

// Whether `ch` is a hex digit as the C locale's isxdigit decides for its
// unsigned code: no byte of 0x80 or above ever is.
bool IsHexDigit(char ch);

// Reads up to eight pairs from `text` into the leading entries of `bytes`,
// in the order they stand; entries past the last pair read keep what they
// held (the carry-over a short text relies on). A pair starts at each hex
// digit met from left to right, takes the next character whatever it is as
// its low half, and must have one (the last character never starts a pair);
// anything else is skipped, a zero byte too (a text that ends at its first
// zero, as the dialog's does, is cut by its caller). Reading ends at the end
// of `text` or after eight pairs, so a text of any length is scanned without
// a copy and at most to its end. Returns the number of pairs read (0 to 8).
int ReadHexPairs(std::string_view text, std::span<std::uint8_t, 8> bytes);
