// The strict readings of a text as bytes, which every command that refuses
// what is not clean reads through: hex pairs, or 16-bit registers in decimal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Whether `line` holds nothing but spaces and tabs (or nothing).
bool IsBlank(std::string_view line);

// The most bytes ReadPlainHex reads.
inline constexpr std::size_t kMostPlainHexBytes = 8;
// The bytes of `text`, hex digits alone in either case and nothing else
// (no separator, no "0x"), at most 2 * kMostPlainHexBytes of them: each
// pair one byte, into `bytes`. False for any other text (`bytes` undefined);
// ReadCleanHex reads every text this reads alike.
bool ReadPlainHex(std::string_view text, std::uint8_t* bytes);

// The bytes of a clean hex text into `bytes` (replacing what it held): pairs
// of digits, in groups apart by spaces, tabs, ':', '-', ',' or '_', with "0x"
// allowed before the text or any group. Any other byte, an odd group or a
// "0x" without digits is refused: false, with `error` naming its position
// (never past the text). Any number of bytes, none for a blank text.
bool ReadCleanHex(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& error);

// The bytes of 16-bit registers written in decimal into `bytes`: each 0 to
// 65535, or -32768 to -1 read as two's complement, most significant byte
// first, apart by spaces, tabs or commas. Anything else (a sign alone, a
// digit run past the range, another character) is refused: false, with
// `error` naming the register by its position and text.
bool ReadRegisterText(std::string_view text, std::vector<std::uint8_t>& bytes, std::string& error);
