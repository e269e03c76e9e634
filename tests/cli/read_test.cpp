// tarvel-cli read against a real Modbus server (TCP, and RTU over a socat pty
// pair) whose registers hold known values in every order.
#include "tests/cli_row.h"
#include "tests/device/misbehaving_device.h"
#include "tests/device/test_servers.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Row {
    const char* name;
    std::vector<std::string> args; // after "read DEVICE"
    std::string out;
    int status = 0;
    std::string named = ""; // what the message says, for a failure
    TestDevice device = TestDevice::Tcp;
};

class Read : public testing::TestWithParam<Row> {};

CliOutcome RunRead(TestDevice device, std::vector<std::string> args)
{
    const std::string& text = DeviceText(device);
    EXPECT_NE(text, "") << "the test device did not start";
    args.insert(args.begin(), {"read", text});
    if (device == TestDevice::Rtu) // a pty keeps no parity
        args.insert(args.end(), {"--parity", "none"});
    return RunCliInMemory(args, "", false);
}

TEST_P(Read, PrintsOrNames)
{
    const Row& row = GetParam();
    ExpectOutcome(RunRead(row.device, row.args), row.status, row.out, row.named);
}

const std::string kPi = "3.141593\n";

INSTANTIATE_TEST_SUITE_P(
    TypesAndOrders, Read,
    testing::Values(
        Row{"FloatABCD", {"100", "float"}, kPi},
        Row{"FloatCDAB", {"102", "float", "--order", "CDAB"}, kPi},
        Row{"FloatBADC", {"104", "float", "--order", "BADC"}, kPi},
        Row{"FloatDCBA", {"106", "float", "--order", "DCBA"}, kPi},
        Row{"DoubleABCD", {"110", "double", "--format", "shortest"}, "3.141592653589793\n"},
        Row{"DoubleGHEFCDAB", {"114", "double", "--order", "GHEFCDAB"}, kPi},
        Row{"DoubleBADCFEHG", {"118", "double", "--order", "BADCFEHG"}, kPi},
        Row{"DoubleHGFEDCBA", {"122", "double", "--order", "HGFEDCBA"}, kPi},
        Row{"Half", {"100", "half"}, "2.142578\n"},
        Row{"BFloat16", {"100", "bfloat16"}, "3.140625\n"},
        Row{"Int8HighByteFirst", {"130", "int8", "--count", "2"}, "-5,46\n"},
        Row{"UInt8", {"131", "uint8", "--count", "2"}, "212,49\n"},
        Row{"Int8OneByteIsTheHighByte", {"130", "int8"}, "-5\n"},
        Row{"Int8OddCount", {"130", "int8", "--count", "3"}, "-5,46,-44\n"},
        Row{"Int16", {"130", "int16"}, "-1234\n"}, Row{"UInt16", {"131", "uint16"}, "54321\n"},
        Row{"Int32", {"100", "int32", "--order", "CDAB"}, "266027081\n"},
        Row{"UInt32", {"100", "uint32"}, "1078530011\n"},
        Row{"Int64", {"110", "int64"}, "4614256656552045848\n"},
        Row{"UInt64", {"122", "uint64", "--order", "DCBA"}, "4614256656552045848\n"},
        Row{"Count", {"130", "uint16", "--count", "2"}, "64302,54321\n"},
        Row{"CountDelimited",
            {"100", "float", "--count", "2", "--delimiter", ";"},
            "3.141593;0.000000\n"},
        Row{"Record",
            {"100", "record", "p=float,q=float:CDAB,...", "--header"},
            "p,q\n3.141593,3.141593\n"},
        Row{"Raw", {"100", "float", "--raw", "--count", "2"}, "16457,4059,4059,16457\n"},
        Row{"InputTable", {"100", "float", "--input"}, "2.718282\n"},
        Row{"Reference4xxxx", {"40101", "float", "--reference"}, kPi},
        Row{"Reference3xxxx", {"30101", "float", "--reference"}, "2.718282\n"},
        Row{"ReferenceSixDigits", {"400103", "float", "--reference", "--order", "CDAB"}, kPi},
        Row{"ReferenceSixDigitsInput", {"300101", "float", "--reference"}, "2.718282\n"},
        Row{"PlainAddressIsNeverAReference", {"40101", "float"}, "", 1, "address 40101"},
        Row{"OverRtu", {"102", "float", "--order", "CDAB"}, kPi, 0, "", TestDevice::Rtu}),
    [](const auto& row) { return row.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Faults, Read,
    testing::Values(
        Row{"Exception", {"2", "float"}, "", 1, "unit 1 address 2: illegal data address"},
        Row{"BusyByName", {"6", "uint16"}, "", 1, "server device busy (exception 6)"},
        Row{"Timeout", {"20", "uint16", "--timeout", "200"}, "", 1, "address 20: timeout"},
        Row{"Refused",
            {"100", "float"},
            "",
            1,
            "address 100: connection refused",
            TestDevice::Refused},
        Row{"CrcError", {"150", "uint16"}, "", 1, "address 150: CRC error", TestDevice::Rtu},
        Row{"NoSuchSerialDevice", {"100", "float"}, "", 1, "no such device", TestDevice::Missing},
        Row{"BadReference", {"50101", "float", "--reference"}, "", 2, "not a reference"},
        Row{"ReferenceWithInput",
            {"30101", "float", "--reference", "--input"},
            "",
            2,
            "--reference and --input contradict"},
        Row{"BadAddress", {"65536", "float"}, "", 2, "ADDRESS '65536'"},
        Row{"PastTheLastRegister", {"65535", "float"}, "", 2, "past register 65535"},
        Row{"TooManyRegisters", {"0", "double", "--count", "32"}, "", 2, "more than 125"},
        Row{"UnknownWhat", {"100", "float32"}, "", 2, "unknown WHAT 'float32'"},
        Row{"BadLayout", {"100", "record", "p=float,p=int16"}, "", 2, "duplicate field name 'p'"},
        Row{"InspectCount", {"100", "inspect", "--count", "3"}, "", 2, "--count 1, 2 or 4"},
        Row{"NearIsForInspect", {"100", "float", "--near", "3"}, "", 2, "--near is not for"},
        Row{"SamplesNeedWatch",
            {"100", "float", "--samples", "2"},
            "",
            2,
            "--samples needs --watch"},
        Row{"WatchTooFast",
            {"100", "float", "--watch", "0.001"},
            "",
            2,
            "--watch takes a number from 0.01"},
        Row{"BadDevice",
            {"100", "float", "--unit", "256"},
            "",
            2,
            "--unit takes unit ids from 0 to 255"}),
    [](const auto& row) { return row.param.name; });

// Rows against a device of our own, which misbehaves when asked (holding
// register A of unit U holds U * 1000 + A, coil A is on when A % 3 == 0).
struct DeviceRow {
    const char* name;
    std::vector<std::string> server; // its misbehaviours
    std::vector<std::string> args;   // after "read DEVICE"
    std::string out;
    int status = 0;
    std::string named = "";
};

class ReadDevice : public testing::TestWithParam<DeviceRow> {};

TEST_P(ReadDevice, PrintsOrNames)
{
    const DeviceRow& row = GetParam();
    const MisbehavingDevice device(false, row.server);
    ASSERT_NE(device.Text(), "");
    std::vector<std::string> args = {"read", device.Text()};
    args.insert(args.end(), row.args.begin(), row.args.end());
    ExpectOutcome(RunCliInMemory(args, "", false), row.status, row.out, row.named);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, ReadDevice,
    testing::Values(
        DeviceRow{"Coils", {}, {"--coils", "--count", "4", "10"}, "0,0,1,0\n"},
        DeviceRow{"CoilReference", {}, {"--reference", "00011", "--count", "4"}, "0,0,1,0\n"},
        DeviceRow{"DiscreteReference", {}, {"--reference", "10011", "--count", "2"}, "0,1\n"},
        DeviceRow{"BitsHeader",
                  {},
                  {"--discrete", "--header", "--count", "2", "7"},
                  "discrete7,discrete8\n1,0\n"},
        DeviceRow{"SeveralUnits",
                  {},
                  {"10", "uint16", "--unit", "1,3-4", "--header"},
                  "unit,uint16\n1,1010\n3,3010\n4,4010\n"},
        DeviceRow{"AColumnEachValue",
                  {},
                  {"10", "uint16", "--count", "3", "--header"},
                  "uint16_1,uint16_2,uint16_3\n1010,1011,1012\n"},
        DeviceRow{"RegistersInHex",
                  {},
                  {"10", "uint16", "--raw", "--format", "hex", "--count", "2"},
                  "03F2,03F3\n"},
        DeviceRow{
            "BusyRetried", {"--exception", "6:1"}, {"10", "uint16", "--retries", "1"}, "1010\n"},
        DeviceRow{"ScaledPastDoubles", {}, {"10", "record", "x=int16*1e308"}, "", 1,
                  "unit 1 address 10: field x: the scaled value is not finite"},
        DeviceRow{
            "CoilsTakeNoWhat", {}, {"--coils", "10", "uint16"}, "", 2, "WHAT is not for coils"},
        DeviceRow{"SerialOptionOverTcp",
                  {},
                  {"10", "uint16", "--parity", "N"},
                  "",
                  2,
                  "--parity is for a serial device, not tcp://"},
        DeviceRow{"FlagTwice",
                  {},
                  {"10", "uint16", "--raw", "--raw"},
                  "",
                  2,
                  "--raw is given twice; give it once"},
        DeviceRow{
            "UnitList", {}, {"10", "uint16", "--unit", "3,1-3"}, "", 2, "--unit takes unit ids"}),
    [](const auto& row) { return row.param.name; });

// The device answers each request with its number and the third late:
// every value printed is its own request's, the third read fails, and the
// late answer is never printed.
TEST(ReadWatch, ALateAnswerIsNeverALaterValue)
{
    const MisbehavingDevice device(true, {"--numbered", "--late", "3:400"});
    ASSERT_NE(device.Text(), "");
    const CliOutcome outcome =
        RunCliInMemory({"read", device.Text(), "10", "uint16", "--parity", "N", "--timeout", "300",
                        "--watch", "0.5", "--samples", "5"},
                       "", false);
    EXPECT_EQ(outcome.status, 1);
    std::vector<std::string> values;
    for (std::size_t start = 0, end; (end = outcome.out.find('\n', start)) != std::string::npos;
         start = end + 1)
        values.push_back(outcome.out.substr(start + 25, end - start - 25));
    EXPECT_EQ(values, (std::vector<std::string>{"1", "2", "4", "5"})) << outcome.out;
    EXPECT_NE(outcome.err.find("timeout: no answer within 300 ms"), std::string::npos);
}

TEST(ReadTrace, ShowsTheWireWithTheTime)
{
    const MisbehavingDevice device(false, {});
    ASSERT_NE(device.Text(), "");
    const CliOutcome outcome =
        RunCliInMemory({"read", device.Text(), "10", "uint16", "--trace"}, "", false);
    EXPECT_EQ(outcome.out, "1010\n");
    EXPECT_NE(outcome.err.find("Z request 00 01 00 00 00 06 01 03 00 0A 00 01\n"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("Z answer 00 01 00 00 00 05 01 03 02 03 F2\n"), std::string::npos);
}

// A pty has no RS-485 mode, as many a USB adapter's driver has none.
TEST(ReadDevice, NoRs485ModeIsSaid)
{
    const MisbehavingDevice device(true, {});
    ASSERT_NE(device.Text(), "");
    const CliOutcome outcome = RunCliInMemory(
        {"read", device.Text(), "10", "uint16", "--parity", "N", "--rs485"}, "", false);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("--rs485: the port or its driver has no RS-485 mode"),
              std::string::npos)
        << outcome.err;
}

TEST(ReadDevice, APlainFileIsNoSerialPort)
{
    const CliOutcome outcome = RunCliInMemory({"read", "/dev/null", "10", "uint16"}, "", false);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("/dev/null unit 1 address 10: cannot open: not a serial port"),
              std::string::npos)
        << outcome.err;
}

TEST(ReadInspect, FindsTheOrder)
{
    const CliOutcome outcome =
        RunRead(TestDevice::Tcp, {"106", "inspect", "--count", "2", "--near", "3.14159", "--json"});
    const auto first = nlohmann::json::parse(outcome.out).at("values").front();
    EXPECT_EQ(first.at("type"), "float32");
    EXPECT_EQ(first.at("order"), "DCBA");
    EXPECT_EQ(first.at("nearest"), "yes");
}

// Lines "TIME,VALUE", in order; the k-th read is due k intervals after the
// first, so the times can only be that far apart or more.
TEST(ReadWatch, FiveSamplesOnSchedule)
{
    const CliOutcome outcome =
        RunRead(TestDevice::Tcp, {"100", "float", "--watch", "0.05", "--samples", "5"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::vector<long> ms;
    for (std::size_t start = 0, end; (end = outcome.out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string line = outcome.out.substr(start, end - start);
        ASSERT_EQ(line.substr(23), "Z,3.141593") << line;
        ms.push_back(std::stol(line.substr(17, 2)) * 1000 + std::stol(line.substr(20, 3)) +
                     60000 * std::stol(line.substr(14, 2)));
    }
    ASSERT_EQ(ms.size(), 5U);
    for (std::size_t k = 1; k < ms.size(); ++k)
        EXPECT_GT((ms[k] - ms[0] + 3600000) % 3600000, static_cast<long>(50 * k) - 5) << k;
}

// The server closes each connection on its second request: every other read
// fails, is reported with its time, and the watch reconnects and goes on.
TEST(ReadWatch, ReportsALostConnectionAndGoesOn)
{
    const CliOutcome outcome =
        RunRead(TestDevice::Dropping, {"100", "float", "--watch", "0.02", "--samples", "4"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 2) << outcome.out;
    EXPECT_NE(outcome.err.find("Z: " + DeviceText(TestDevice::Dropping) +
                               " unit 1 address 100: connection lost"),
              std::string::npos)
        << outcome.err;
}

TEST(ReadWatch, SigintEndsItWithStatusZero)
{
    const std::string device = DeviceText(TestDevice::Tcp);
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        execl(TARVEL_CLI_PATH, "tarvel-cli", "read", device.c_str(), "100", "float", "--watch",
              "0.05", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char first[64];
    ASSERT_GT(read(out[0], first, sizeof first), 0); // a line is out: the watch runs
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    close(out[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Ctrl+C during a read that waits for its answer ends it at once, as the
// signal would, with nothing on standard output.
TEST(ReadOnce, SigintEndsAPendingReadAtOnce)
{
    const MisbehavingDevice device(false, {"--silent"});
    ASSERT_NE(device.Text(), "");
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        execl(TARVEL_CLI_PATH, "tarvel-cli", "read", device.Text().c_str(), "10", "uint16",
              "--timeout", "5000", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    while (device.Requests().empty()) // the request is out: the read waits
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto start = std::chrono::steady_clock::now();
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    char byte = 0;
    EXPECT_EQ(read(out[0], &byte, 1), 0); // nothing written
    close(out[0]);
}

} // namespace
