// Every byte a user can type or paste, checked against the independent model.
#include "core/hex_pairs.h"
#include "tests/hex_reader_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

// Reads `text` with the reader and with the model, both starting from `start`.
void ExpectLikeModel(const std::string& text, const model::Bytes& start = {})
{
    model::Bytes got = start;
    model::Bytes expected = start;
    const int count = ReadHexPairs(text, got);
    ASSERT_EQ(count, model::ReadHex(text, expected)) << "text " << testing::PrintToString(text);
    ASSERT_EQ(got, expected) << "text " << testing::PrintToString(text);
}

TEST(HostileBytes, EveryByteAtEitherPlaceOfAPair)
{
    const model::Bytes store = {1, 2, 3, 4, 5, 6, 7, 8};
    for (int b = 0x01; b <= 0xFF; ++b) {
        const char c = static_cast<char>(b);
        for (const std::string& text :
             {std::string{c} + "A12", std::string{"A"} + c + "34", std::string{"5"} + c,
              std::string{c, 'F'}, std::string{c}, "12" + std::string{c} + "9"})
            ExpectLikeModel(text, store);
    }
}

TEST(HostileBytes, RandomNulFreeTexts)
{
    std::mt19937 random(7);
    for (int n = 0; n < 20000; ++n) {
        std::string text(random() % 40, '\0');
        for (char& c : text)
            c = static_cast<char>(1 + random() % 255);
        ExpectLikeModel(text, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22});
    }
}

TEST(HostileBytes, TextsOfOnlySeparators)
{
    for (const std::string& text : {std::string(" "), std::string(",,,,"),
                                    std::string(" :-;/.,\t\r\n"), std::string(5000, '-')})
        ExpectLikeModel(text, {9, 9, 9, 9, 9, 9, 9, 9});
}

TEST(HostileBytes, AroundTheTwoHundredCharacterBoundary)
{
    for (std::size_t length = 195; length <= 203; ++length)
        for (const char* tail : {"A", "AB", "ABC", "A B", "1122334455667788"}) {
            std::string text(length, '.');
            text.replace(length - std::strlen(tail), std::strlen(tail), tail);
            ExpectLikeModel(text);
        }
}

} // namespace
