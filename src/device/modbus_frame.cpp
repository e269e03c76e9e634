#include "device/modbus_frame.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

// The names of exception codes 1 to 11; code 9 has none.
constexpr std::array<std::string_view, 11> kExceptionNames = {
    "illegal function",
    "illegal data address",
    "illegal data value",
    "server device failure",
    "acknowledge",
    "server device busy",
    "negative acknowledge",
    "memory parity error",
    "",
    "gateway path unavailable",
    "gateway target device failed to respond"};

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFU);
    return text;
}

AnswerCheck Refuse(std::string problem, bool badCrc = false)
{
    AnswerCheck check;
    check.state = AnswerCheck::State::Refused;
    check.problem = std::move(problem);
    check.badCrc = badCrc;
    return check;
}

AnswerCheck NeedMore(std::size_t length)
{
    AnswerCheck check;
    check.length = length;
    return check;
}

// Whether `function` can start an answer to a read: 1 to 4, or one of them
// with the exception bit.
bool IsReadFunction(std::uint8_t function)
{
    const unsigned plain = function & 0x7FU;
    return plain >= 1 && plain <= 4;
}

// The checks both framings share, on the unit and PDU of a complete frame.
AnswerCheck CheckPdu(const ReadRequest& request, std::uint8_t unit,
                     std::span<const std::uint8_t> pdu)
{
    const std::uint8_t asked = FunctionOf(request.table);
    if (unit != request.unit)
        return Refuse("an answer from unit " + std::to_string(unit) + " to a request for unit " +
                      std::to_string(request.unit));
    if ((pdu[0] & 0x7FU) != asked)
        return Refuse("an answer for function " + std::to_string(pdu[0] & 0x7FU) +
                      " to a request of function " + std::to_string(asked));
    AnswerCheck check;
    if ((pdu[0] & 0x80U) != 0) {
        if (pdu.size() != 2)
            return Refuse("an exception answer of " + std::to_string(pdu.size()) +
                          " bytes, not 2: " + HexBytes(pdu));
        check.state = AnswerCheck::State::Exception;
        check.exceptionCode = pdu[1];
        return check;
    }
    const std::size_t wanted = DataBytesOf(request);
    if (pdu.size() < 2 || pdu[1] != pdu.size() - 2 || pdu[1] != wanted)
        return Refuse("an answer of " +
                      std::to_string(pdu.size() < 2 ? 0 : static_cast<unsigned>(pdu[1])) +
                      " data bytes to a request for " + std::to_string(wanted));
    check.state = AnswerCheck::State::Data;
    check.data = pdu.subspan(2);
    return check;
}

AnswerCheck ExamineRtu(const ReadRequest& request, std::span<const std::uint8_t> got)
{
    if (got.size() < 2)
        return NeedMore(0);
    if (!IsReadFunction(got[1]))
        return Refuse("bytes that are not a Modbus answer: " + HexBytes(got.first(2)));
    if ((got[1] & 0x80U) == 0 && got.size() < 3)
        return NeedMore(0);
    const std::size_t length = (got[1] & 0x80U) != 0 ? 5 : 5U + got[2];
    if (got.size() < length)
        return NeedMore(length);
    const auto frame = got.first(length);
    const std::uint16_t expected = ModbusCrc(frame.first(length - 2));
    const auto received = static_cast<std::uint16_t>(frame[length - 2] | frame[length - 1] << 8);
    if (received != expected)
        return Refuse("CRC error: received " + Hex4(received) + ", expected " + Hex4(expected),
                      true);
    AnswerCheck check = CheckPdu(request, frame[0], frame.subspan(1, length - 3));
    check.length = length;
    return check;
}

AnswerCheck ExamineTcp(std::uint16_t transaction, const ReadRequest& request,
                       std::span<const std::uint8_t> got)
{
    if (got.size() >= 4 && Word(got, 2) != 0)
        return Refuse("an answer with protocol id " + std::to_string(Word(got, 2)) +
                      ", not Modbus's 0");
    if (got.size() < 7)
        return NeedMore(0);
    const std::size_t following = Word(got, 4); // the unit and the PDU
    if (following < 3 || following > 254)
        return Refuse("bytes that are not a Modbus answer: " + HexBytes(got.first(7)));
    const std::size_t length = 6 + following;
    if (got.size() < length)
        return NeedMore(length);
    if (Word(got, 0) != transaction)
        return Refuse("an answer to transaction " + std::to_string(Word(got, 0)) + ", not " +
                      std::to_string(transaction) + " (a late or stray answer)");
    AnswerCheck check = CheckPdu(request, got[6], got.subspan(7, following - 1));
    check.length = length;
    return check;
}

} // namespace

std::uint8_t FunctionOf(RegisterTable table)
{
    switch (table) {
    case RegisterTable::Coils:
        return 1;
    case RegisterTable::Discrete:
        return 2;
    case RegisterTable::Holding:
        return 3;
    case RegisterTable::Input:
        return 4;
    }
    return 3;
}

std::size_t DataBytesOf(const ReadRequest& request)
{
    return IsBitTable(request.table) ? (request.count + 7U) / 8U : 2U * request.count;
}

std::uint16_t ModbusCrc(std::span<const std::uint8_t> bytes)
{
    unsigned crc = 0xFFFF;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1U) != 0 ? (crc >> 1) ^ 0xA001U : crc >> 1;
    }
    return static_cast<std::uint16_t>(crc);
}

std::vector<std::uint8_t> RequestFrame(Framing framing, std::uint16_t transaction,
                                       const ReadRequest& request)
{
    std::vector<std::uint8_t> frame;
    frame.reserve(12);
    const auto put = [&frame](unsigned byte) { frame.push_back(static_cast<std::uint8_t>(byte)); };
    if (framing == Framing::Tcp) { // transaction, protocol 0, six bytes follow
        const unsigned id = transaction;
        for (const unsigned byte : {id >> 8U, id & 0xFFU, 0U, 0U, 0U, 6U})
            put(byte);
    }
    const unsigned address = request.address;
    const unsigned count = request.count;
    for (const unsigned byte : {unsigned{request.unit}, unsigned{FunctionOf(request.table)},
                                address >> 8U, address & 0xFFU, count >> 8U, count & 0xFFU})
        put(byte);
    if (framing == Framing::Rtu) {
        const std::uint16_t crc = ModbusCrc(frame);
        put(crc & 0xFFU);
        put(crc >> 8U);
    }
    return frame;
}

AnswerCheck ExamineAnswer(Framing framing, std::uint16_t transaction, const ReadRequest& request,
                          std::span<const std::uint8_t> got)
{
    return framing == Framing::Rtu ? ExamineRtu(request, got)
                                   : ExamineTcp(transaction, request, got);
}

std::string ExceptionText(int code)
{
    std::string number = "exception " + std::to_string(code);
    if (code < 1 || code > static_cast<int>(kExceptionNames.size()) ||
        kExceptionNames[static_cast<std::size_t>(code - 1)].empty())
        return number;
    return std::string(kExceptionNames[static_cast<std::size_t>(code - 1)]) + " (" + number + ")";
}

bool IsTransientException(int code)
{
    return code == 5 || code == 6 || code == 10 || code == 11;
}

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    std::string text;
    char pair[4];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X", unsigned{byte});
        text += pair;
    }
    return text;
}
