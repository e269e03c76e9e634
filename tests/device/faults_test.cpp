// The device layer against a device that misbehaves on demand: every answer
// is matched to its own request or refused with what did not fit, nothing
// stale or late is ever taken for a value, and retries are for what another
// try may mend.
#include "device/register_source.h"
#include "tests/device/misbehaving_device.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

namespace {

struct FaultRow {
    const char* name;
    bool rtu;
    std::vector<std::string> server; // its misbehaviours
    // Read by read, in order: the values apart by commas, or the start of
    // the message after "DEVICE unit 1 address 10: ".
    std::vector<std::string> results;
    int requests = -1; // how many the device got, where it matters
    int retries = 0;
    int pauseMs = 0; // between reads
    RegisterTable table = RegisterTable::Holding;
    std::uint16_t count = 1;
};

std::unique_ptr<RegisterSource> Open(const std::string& device, int retries,
                                     std::vector<std::string>* trace = nullptr,
                                     const volatile std::sig_atomic_t* interrupted = nullptr,
                                     int timeoutMs = 300)
{
    DeviceSettings settings;
    settings.device = device;
    settings.parity = 'N'; // a pty keeps no parity
    settings.timeoutMs = timeoutMs;
    settings.retries = retries;
    settings.interrupted = interrupted;
    if (trace != nullptr)
        settings.trace = [trace](std::string_view line) { trace->emplace_back(line); };
    std::string error;
    auto source = OpenRegisterSource(settings, error);
    EXPECT_EQ(error, "");
    return source;
}

std::string Outcome(const ReadResult& result, const std::string& device)
{
    if (result.failure != ReadFailure::None)
        return result.error.substr(std::min(result.error.size(), device.size() + 20));
    std::string values;
    for (const std::uint16_t value : result.registers)
        values += (values.empty() ? "" : ",") + std::to_string(value);
    return values;
}

class Faults : public testing::TestWithParam<FaultRow> {};

TEST_P(Faults, EveryAnswerIsItsOwnRequestsOrRefused)
{
    const FaultRow& row = GetParam();
    const MisbehavingDevice device(row.rtu, row.server);
    ASSERT_NE(device.Text(), "") << "the test device did not start";
    const auto source = Open(device.Text(), row.retries);
    for (std::size_t k = 0; k < row.results.size(); ++k) {
        if (k > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(row.pauseMs));
        const std::string got = Outcome(source->Read(row.table, 10, row.count, 1), device.Text());
        EXPECT_TRUE(got.starts_with(row.results[k])) << "read " << k + 1 << ": " << got;
    }
    if (row.requests >= 0) {
        EXPECT_EQ(device.Requests().size(), static_cast<std::size_t>(row.requests));
    }
}

const std::vector<std::string> kNumbered = {"1", "2", "3"};
const std::vector<std::string> kLate = {"1", "timeout: no answer within 300 ms", "3"};

INSTANTIATE_TEST_SUITE_P(
    Devices, Faults,
    testing::Values(
        FaultRow{"StaleLeftoverTcp", false, {"--stale", "--numbered"}, kNumbered, 3, 0, 100},
        FaultRow{"StaleLeftoverRtu", true, {"--stale", "--numbered"}, kNumbered, 3, 0, 100},
        FaultRow{"LateAnswerTcp", false, {"--late", "2:400", "--numbered"}, kLate, 3},
        FaultRow{"LateAnswerRtu", true, {"--late", "2:400", "--numbered"}, kLate, 3},
        FaultRow{"AnotherUnitTcp",
                 false,
                 {"--other-unit"},
                 {"an answer from unit 2 to a request for unit 1"}},
        FaultRow{"AnotherUnitRtu",
                 true,
                 {"--other-unit"},
                 {"an answer from unit 2 to a request for unit 1"}},
        FaultRow{"AnotherProtocol",
                 false,
                 {"--protocol", "7"},
                 {"an answer with protocol id 7, not Modbus's 0"}},
        FaultRow{
            "AnotherTransaction", false, {"--other-tid"}, {"an answer to transaction 2, not 1"}},
        FaultRow{"HalfAFrameTcp", false, {"--half"}, {"incomplete answer: 5 bytes in "}},
        FaultRow{"HalfAFrameRtu", true, {"--half"}, {"incomplete answer: 3 of 7 bytes in "}},
        FaultRow{"GarbageTcp",
                 false,
                 {"--garbage"},
                 {"bytes that are not an answer to this request: FF FF FF"}},
        FaultRow{"GarbageRtu", true, {"--garbage"}, {"bytes that are not a Modbus answer: FF FF"}},
        FaultRow{"CrcError", true, {"--bad-crc"}, {"CRC error: received 0x31C6, expected 0x3139"}},
        FaultRow{"NothingAtAll", false, {"--silent"}, {"timeout: no answer within 300 ms"}},
        FaultRow{"BusyTwiceThenTheValue", false, {"--exception", "6:2"}, {"1010"}, 3, 2},
        FaultRow{"IllegalAddressIsNotRetried",
                 false,
                 {"--exception", "2:1"},
                 {"illegal data address (exception 2)"},
                 1,
                 2},
        FaultRow{"IncompleteIsRetried", true, {"--half"}, {"incomplete answer"}, 2, 1},
        FaultRow{"ExceptionWithoutAName", false, {"--exception", "12:1"}, {"exception 12"}},
        FaultRow{"ExceptionCode255", false, {"--exception", "255:1"}, {"exception 255"}},
        FaultRow{"Coils", false, {}, {"0,0,1,0,0,1,0,0,1,0"}, 1, 0, 0, RegisterTable::Coils, 10},
        FaultRow{"DiscreteInputsRtu", true, {}, {"0,1,0,1"}, 1, 0, 0, RegisterTable::Discrete, 4}),
    [](const auto& row) { return row.param.name; });

// The wire as a user sees it: each request and answer, and a leftover frame
// discarded before the next request.
TEST(Trace, ShowsEveryFrameAndWhatWasDiscarded)
{
    const MisbehavingDevice device(false, {"--stale"});
    ASSERT_NE(device.Text(), "");
    std::vector<std::string> trace;
    const auto source = Open(device.Text(), 0, &trace);
    source->Read(RegisterTable::Holding, 10, 1, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    source->Read(RegisterTable::Holding, 10, 1, 1);
    const std::vector<std::string> expected = {
        "request 00 01 00 00 00 06 01 03 00 0A 00 01", "answer 00 01 00 00 00 05 01 03 02 03 F2",
        "stale 00 02 00 00 00 05 01 03 02 12 34", "request 00 02 00 00 00 06 01 03 00 0A 00 01",
        "answer 00 02 00 00 00 05 01 03 02 03 F2"};
    // The leftover after the second answer shows when it came with it.
    ASSERT_GE(trace.size(), expected.size());
    trace.resize(expected.size());
    EXPECT_EQ(trace, expected);
}

// A signal ends a pending read within a slice, whatever the timeout.
TEST(Interruption, EndsAPendingReadAtOnce)
{
    const MisbehavingDevice device(true, {"--silent"});
    ASSERT_NE(device.Text(), "");
    static volatile std::sig_atomic_t interrupted = 0;
    const auto source = Open(device.Text(), 3, nullptr, &interrupted, 5000);
    std::thread signal([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        interrupted = 1;
    });
    const auto start = std::chrono::steady_clock::now();
    const ReadResult result = source->Read(RegisterTable::Holding, 10, 1, 1);
    signal.join();
    EXPECT_EQ(result.failure, ReadFailure::Interrupted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

} // namespace
