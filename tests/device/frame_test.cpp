// Frames as bytes: what we send, and what an answer must be before its data
// is believed; the cases a server of ours cannot easily send.
#include "device/modbus_frame.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RequestFrame, IsWhatTheWireCarries)
{
    const ReadRequest request{RegisterTable::Holding, 1, 0, 1};
    EXPECT_EQ(HexBytes(RequestFrame(Framing::Rtu, 0, request)), "01 03 00 00 00 01 84 0A");
    EXPECT_EQ(HexBytes(RequestFrame(Framing::Tcp, 0x1234, {RegisterTable::Coils, 17, 19, 37})),
              "12 34 00 00 00 06 11 01 00 13 00 25");
}

struct AnswerRow {
    const char* name;
    Framing framing;
    std::vector<std::uint8_t> got; // RTU without its CRC, which the test adds
    AnswerCheck::State state;
    std::string said; // the problem, the data in hex, or the expected length
};

class Answer : public testing::TestWithParam<AnswerRow> {};

TEST_P(Answer, IsBelievedOnlyWhenItFits)
{
    const AnswerRow& row = GetParam();
    std::vector<std::uint8_t> got = row.got;
    if (row.framing == Framing::Rtu && row.state != AnswerCheck::State::NeedMore) {
        const std::uint16_t crc = ModbusCrc(got);
        got.insert(got.end(),
                   {static_cast<std::uint8_t>(crc & 0xFF), static_cast<std::uint8_t>(crc >> 8)});
    }
    const AnswerCheck check = ExamineAnswer(row.framing, 5, {RegisterTable::Input, 1, 100, 2}, got);
    EXPECT_EQ(check.state, row.state);
    const std::string said =
        check.state == AnswerCheck::State::Data        ? HexBytes(check.data)
        : check.state == AnswerCheck::State::NeedMore  ? std::to_string(check.length)
        : check.state == AnswerCheck::State::Exception ? ExceptionText(check.exceptionCode)
                                                       : check.problem;
    EXPECT_EQ(said, row.said);
}

using State = AnswerCheck::State;

INSTANTIATE_TEST_SUITE_P(
    Frames, Answer,
    testing::Values(
        AnswerRow{
            "RtuData", Framing::Rtu, {1, 4, 4, 0x40, 0x49, 0x0F, 0xDB}, State::Data, "40 49 0F DB"},
        AnswerRow{
            "RtuLengthKnownFromByteCount", Framing::Rtu, {1, 4, 4, 0x40}, State::NeedMore, "9"},
        AnswerRow{"RtuException",
                  Framing::Rtu,
                  {1, 0x84, 6},
                  State::Exception,
                  "server device busy (exception 6)"},
        AnswerRow{"RtuAnotherFunction",
                  Framing::Rtu,
                  {1, 3, 4, 0, 0, 0, 0},
                  State::Refused,
                  "an answer for function 3 to a request of function 4"},
        AnswerRow{"RtuTooFewData",
                  Framing::Rtu,
                  {1, 4, 2, 0, 0},
                  State::Refused,
                  "an answer of 2 data bytes to a request for 4"},
        AnswerRow{"TcpData",
                  Framing::Tcp,
                  {0, 5, 0, 0, 0, 7, 1, 4, 4, 0, 1, 0, 2},
                  State::Data,
                  "00 01 00 02"},
        AnswerRow{"TcpLengthKnownFromHeader",
                  Framing::Tcp,
                  {0, 5, 0, 0, 0, 7, 1, 4},
                  State::NeedMore,
                  "13"},
        AnswerRow{"TcpByteCountBeyondTheFrame",
                  Framing::Tcp,
                  {0, 5, 0, 0, 0, 5, 1, 4, 4, 0, 1},
                  State::Refused,
                  "an answer of 4 data bytes to a request for 4"},
        AnswerRow{"TcpNoSuchLength",
                  Framing::Tcp,
                  {0, 5, 0, 0, 1, 0, 1},
                  State::Refused,
                  "bytes that are not a Modbus answer: 00 05 00 00 01 00 01"}),
    [](const auto& row) { return row.param.name; });

} // namespace
