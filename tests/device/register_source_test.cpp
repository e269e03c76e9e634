// The libmodbus source against a real Modbus server, over TCP and RTU: what
// each read gives, and each failure by its kind and one-line message.
#include "device/register_source.h"
#include "tests/device/test_servers.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

namespace {

using Registers = std::vector<std::uint16_t>;

struct ReadRow {
    const char* name;
    TestDevice device;
    RegisterTable table;
    std::uint16_t address;
    std::uint16_t count;
    Registers registers; // when the read succeeds
    ReadFailure failure = ReadFailure::None;
    int exceptionCode = 0;
    std::string what; // the message after "DEVICE unit 1 address A: "
    int timeoutMs = 1000;
    int retries = 0;
};

std::unique_ptr<RegisterSource> Open(TestDevice device, int timeoutMs, int retries)
{
    DeviceSettings settings;
    settings.device = DeviceText(device);
    settings.parity = 'N'; // a pty keeps no parity: the kernel clears it
    settings.timeoutMs = timeoutMs;
    settings.retries = retries;
    std::string error;
    auto source = OpenRegisterSource(settings, error);
    EXPECT_EQ(error, "");
    return source;
}

class RegisterSourceTest : public testing::TestWithParam<ReadRow> {};

TEST_P(RegisterSourceTest, ReadsOrSaysWhyNot)
{
    const ReadRow& row = GetParam();
    const std::string& device = DeviceText(row.device);
    ASSERT_NE(device, "") << "the test device did not start";
    const auto source = Open(row.device, row.timeoutMs, row.retries);
    ASSERT_NE(source, nullptr);
    const ReadResult result = source->Read(row.table, row.address, row.count, 1);
    EXPECT_EQ(result.failure, row.failure);
    EXPECT_EQ(result.exceptionCode, row.exceptionCode);
    EXPECT_EQ(result.registers, row.registers);
    EXPECT_EQ(result.error, row.what.empty() ? ""
                                             : device + " unit 1 address " +
                                                   std::to_string(row.address) + ": " + row.what);
}

constexpr auto Tcp = TestDevice::Tcp;
constexpr auto Holding = RegisterTable::Holding;
constexpr auto Input = RegisterTable::Input;

ReadRow Gives(const char* name, TestDevice device, RegisterTable table, std::uint16_t address,
              const Registers& registers)
{
    return {name,
            device,
            table,
            address,
            static_cast<std::uint16_t>(registers.size()),
            registers,
            ReadFailure::None,
            0,
            "",
            1000,
            0};
}

ReadRow Fails(const char* name, TestDevice device, std::uint16_t address, std::uint16_t count,
              ReadFailure failure, const std::string& what, int timeoutMs = 1000, int retries = 0)
{
    return {name, device, Holding, address, count, {}, failure, 0, what, timeoutMs, retries};
}

// The Tcp server answers exception N at address N.
ReadRow Exception(const char* name, int code, const std::string& what)
{
    ReadRow row = Fails(name, Tcp, static_cast<std::uint16_t>(code), 1, ReadFailure::Exception,
                        what + " (exception " + std::to_string(code) + ")");
    row.exceptionCode = code;
    return row;
}

constexpr auto Refused = TestDevice::Refused;
const std::string kTooMany = "a read asks 1 to 125 registers, none past 65535";

INSTANTIATE_TEST_SUITE_P(
    Reads, RegisterSourceTest,
    testing::Values(
        Gives("HoldingFloat32PiInFourOrders", Tcp, Holding, 100,
              {16457, 4059, 4059, 16457, 18752, 56079, 56079, 18752}),
        Gives("HoldingFloat64PiInFourOrders", Tcp, Holding, 110,
              {16393, 8699, 21572, 11544, 11544, 21572, 8699, 16393, 2368, 64289, 17492, 6189, 6189,
               17492, 64289, 2368}),
        Gives("HoldingInt16AndUint16", Tcp, Holding, 130, {64302, 54321}),
        Gives("InputFloat32EInFourOrders", Tcp, Input, 100,
              {16429, 63572, 63572, 16429, 11584, 21752, 21752, 11584}),
        Gives("InputFloat64EInFourOrders", Tcp, Input, 110,
              {16389, 48906, 35604, 22377, 22377, 35604, 48906, 16389, 1344, 2751, 5259, 26967,
               26967, 5259, 2751, 1344}),
        Gives("InputInt16AndUint16", Tcp, Input, 130, {61215, 12345}),
        Gives("RtuHolding", TestDevice::Rtu, Holding, 100, {16457, 4059}),
        Gives("RtuInput", TestDevice::Rtu, Input, 130, {61215, 12345}),
        Exception("IllegalFunction", 1, "illegal function"),
        Exception("IllegalDataAddress", 2, "illegal data address"),
        Exception("IllegalDataValue", 3, "illegal data value"),
        Exception("ServerDeviceFailure", 4, "server device failure"),
        Exception("Acknowledge", 5, "acknowledge"),
        Exception("ServerDeviceBusy", 6, "server device busy"),
        Exception("GatewayPathUnavailable", 10, "gateway path unavailable"),
        Exception("GatewayTargetFailedToRespond", 11, "gateway target device failed to respond"),
        Fails("Timeout", Tcp, 20, 1, ReadFailure::Timeout, "timeout: no answer within 200 ms", 200),
        Fails("RtuCrcError", TestDevice::Rtu, 150, 1, ReadFailure::BadReply,
              "CRC error: received 0xBBB8, expected 0x44B8"),
        Fails("ConnectionRefused", Refused, 100, 2, ReadFailure::Unreachable, "connection refused"),
        Fails("RetriedThenReported", Refused, 100, 2, ReadFailure::Unreachable,
              "connection refused (3 tries)", 1000, 2),
        Fails("MissingSerialDevice", TestDevice::Missing, 100, 2, ReadFailure::Unreachable,
              "cannot open: no such device"),
        Fails("MoreThan125Registers", Refused, 0, 126, ReadFailure::BadRequest, kTooMany),
        Fails("PastRegister65535", Refused, 65535, 2, ReadFailure::BadRequest, kTooMany)),
    [](const auto& row) { return row.param.name; });

// A server that closes each connection on its second request: a polling loop
// goes on, each Read connecting again after a lost connection.
struct PollRow {
    const char* name;
    int retries;
    std::vector<ReadFailure> outcomes; // of reading holding register 100, in turn
};

class ReconnectTest : public testing::TestWithParam<PollRow> {};

TEST_P(ReconnectTest, GoesOnAfterTheServerDropsTheConnection)
{
    const PollRow& row = GetParam();
    ASSERT_NE(DeviceText(TestDevice::Dropping), "") << "the test device did not start";
    const auto source = Open(TestDevice::Dropping, 1000, row.retries);
    ASSERT_NE(source, nullptr);
    for (const ReadFailure expected : row.outcomes) {
        const ReadResult result = source->Read(Holding, 100, 1, 1);
        EXPECT_EQ(result.failure, expected) << result.error;
        if (expected == ReadFailure::None)
            EXPECT_EQ(result.registers, Registers{16457});
        else
            EXPECT_EQ(result.error,
                      DeviceText(TestDevice::Dropping) + " unit 1 address 100: connection lost");
    }
}

INSTANTIATE_TEST_SUITE_P(Polls, ReconnectTest,
                         testing::Values(PollRow{"LostThenConnectedAgain",
                                                 0,
                                                 {ReadFailure::None, ReadFailure::ConnectionLost,
                                                  ReadFailure::None, ReadFailure::ConnectionLost}},
                                         PollRow{"ARetryConnectsAgain",
                                                 1,
                                                 {ReadFailure::None, ReadFailure::None,
                                                  ReadFailure::None}}),
                         [](const auto& row) { return row.param.name; });

} // namespace
