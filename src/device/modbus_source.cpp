// Registers read from a Modbus device. The system's side (device/link.h)
// opens the link: through libmodbus, the TCP connection within the timeout,
// and on Linux the serial port's speed, parity and stop bits and its RS-485
// mode. Each exchange is our own (device/modbus_frame.h), because libmodbus
// takes an answer from another unit over TCP, restarts its wait when a signal
// comes, bounds only the wait between bytes, and shows no bytes for a trace.
// Only functions 1 to 4, which read, are ever sent.
#include "device/device_address.h"
#include "device/link.h"
#include "device/modbus_failure.h"
#include "device/modbus_frame.h"
#include "device/register_source.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <modbus.h>
#include <optional>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The longest a wait goes without looking at the interruption flag.
constexpr auto kSlice = std::chrono::milliseconds(50);

class ModbusSource final : public RegisterSource {
public:
    ModbusSource(std::unique_ptr<Link> link, DeviceSettings settings, Framing framing)
        : link_(std::move(link)), settings_(std::move(settings)), framing_(framing)
    {
    }

    ReadResult Read(RegisterTable table, std::uint16_t address, std::uint16_t count,
                    int unit) override;

private:
    ModbusFailure Connect();
    ModbusFailure TryRead(const ReadRequest& request, std::vector<std::uint16_t>& values);
    ModbusFailure Receive(const ReadRequest& request, std::vector<std::uint8_t>& got,
                          AnswerCheck& check);
    void Discard();
    void Trace(std::string_view what, std::span<const std::uint8_t> bytes) const;
    bool Interrupted() const
    {
        return settings_.interrupted != nullptr && *settings_.interrupted != 0;
    }
    // Waits `time`, ending early on a signal.
    void Pause(Clock::duration time) const;

    std::unique_ptr<Link> link_;
    DeviceSettings settings_;
    Framing framing_;
    bool connected_ = false;
    bool lateMayCome_ = false; // the last exchange failed: its answer may still come
    std::uint16_t transaction_ = 0;
};

const ModbusFailure kInterrupted{ReadFailure::Interrupted, 0, "interrupted"};
const ModbusFailure kLost{ReadFailure::ConnectionLost, 0, "connection lost"};

bool Retried(const ModbusFailure& failure)
{
    switch (failure.kind) {
    case ReadFailure::Unreachable:
    case ReadFailure::ConnectionLost:
    case ReadFailure::Timeout:
    case ReadFailure::Incomplete:
        return true;
    case ReadFailure::BadReply:
        return failure.badCrc;
    case ReadFailure::Exception:
        return IsTransientException(failure.exceptionCode);
    default:
        return false;
    }
}

ReadResult ModbusSource::Read(RegisterTable table, std::uint16_t address, std::uint16_t count,
                              int unit)
{
    ReadResult result;
    const std::string where = settings_.device + " unit " + std::to_string(unit) + " address " +
                              std::to_string(address) + ": ";
    const bool bits = IsBitTable(table);
    const int most = bits ? MODBUS_MAX_READ_BITS : MODBUS_MAX_READ_REGISTERS;
    if (count == 0 || count > most || address + count > 65536 || unit < 0 || unit > 255) {
        result.failure = ReadFailure::BadRequest;
        result.error = where + "a read asks 1 to " + std::to_string(most) +
                       (bits ? " bits" : " registers") + ", none past 65535";
        return result;
    }
    const ReadRequest request{table, static_cast<std::uint8_t>(unit), address, count};
    ModbusFailure failure;
    int tries = 0;
    do {
        if (tries > 0) // give a busy device or line a moment, longer each time
            Pause(std::chrono::milliseconds(100) * tries);
        ++tries;
        failure = Interrupted() ? kInterrupted : TryRead(request, result.registers);
    } while (failure.kind != ReadFailure::None && Retried(failure) && tries <= settings_.retries);
    if (failure.kind == ReadFailure::None)
        return result;
    result.registers.clear();
    result.failure = failure.kind;
    result.exceptionCode = failure.exceptionCode;
    result.error = where + failure.what;
    if (tries > 1)
        result.error += " (" + std::to_string(tries) + " tries)";
    return result;
}

ModbusFailure ModbusSource::Connect()
{
    ModbusFailure failure = link_->Open();
    if (failure.kind != ReadFailure::None)
        return Interrupted() ? kInterrupted : failure;
    connected_ = true;
    lateMayCome_ = false;
    return {};
}

ModbusFailure ModbusSource::TryRead(const ReadRequest& request, std::vector<std::uint16_t>& values)
{
    if (!connected_)
        if (ModbusFailure failure = Connect(); failure.kind != ReadFailure::None)
            return failure;
    Discard();
    ++transaction_;
    const std::vector<std::uint8_t> frame = RequestFrame(framing_, transaction_, request);
    std::vector<std::uint8_t> got;
    AnswerCheck check;
    Trace("request", frame);
    ModbusFailure failure = link_->Send(frame) ? Receive(request, got, check) : kLost;
    if (failure.kind == ReadFailure::ConnectionLost) {
        link_->Close();
        connected_ = false;
    }
    lateMayCome_ = failure.kind != ReadFailure::None && failure.kind != ReadFailure::Exception;
    if (failure.kind != ReadFailure::None)
        return failure;
    values.clear();
    const bool bits = IsBitTable(request.table);
    for (std::size_t k = 0; k < request.count; ++k)
        values.push_back(
            bits ? static_cast<std::uint16_t>((unsigned{check.data[k / 8]} >> (k % 8)) & 1U)
                 : static_cast<std::uint16_t>(unsigned{check.data[2 * k]} << 8U |
                                              check.data[2 * k + 1]));
    return {};
}

// Waits for the answer, all of it within the timeout, a slice at a time.
ModbusFailure ModbusSource::Receive(const ReadRequest& request, std::vector<std::uint8_t>& got,
                                    AnswerCheck& check)
{
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(settings_.timeoutMs);
    const auto elapsed = [&] {
        return std::to_string(
                   std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)
                       .count()) +
               " ms";
    };
    while (true) {
        if (Interrupted())
            return kInterrupted;
        const auto now = Clock::now();
        if (now >= deadline)
            break;
        const auto slice = std::min<Clock::duration>(deadline - now, kSlice);
        const Link::Got came =
            link_->Receive(std::chrono::ceil<std::chrono::milliseconds>(slice), got);
        if (came == Link::Got::Lost)
            return kLost;
        if (came == Link::Got::Nothing)
            continue;
        check = ExamineAnswer(framing_, transaction_, request, got);
        if (check.state == AnswerCheck::State::NeedMore)
            continue;
        const std::size_t used = check.length == 0 ? got.size() : check.length;
        Trace("answer", std::span(got).first(used));
        if (got.size() > used) // came after the answer: no request's
            Trace("stale", std::span(got).subspan(used));
        if (check.state == AnswerCheck::State::Refused)
            return {ReadFailure::BadReply, 0, check.problem, check.badCrc};
        if (check.state == AnswerCheck::State::Exception)
            return {ReadFailure::Exception, check.exceptionCode,
                    ExceptionText(check.exceptionCode)};
        return {};
    }
    const std::string timeout = std::to_string(settings_.timeoutMs) + " ms";
    if (got.empty())
        return {ReadFailure::Timeout, 0, "timeout: no answer within " + timeout};
    Trace("answer", got);
    // Too few bytes to examine whole, but already another transaction's.
    if (framing_ == Framing::Tcp && got.size() >= 2 && (got[0] << 8 | got[1]) != transaction_)
        return {ReadFailure::BadReply, 0,
                "bytes that are not an answer to this request: " + HexBytes(got)};
    const std::string of = check.length != 0 ? " of " + std::to_string(check.length) : "";
    return {ReadFailure::Incomplete, 0,
            "incomplete answer: " + std::to_string(got.size()) + of + " bytes in " + elapsed() +
                " (" + HexBytes(got) + ")"};
}

// Whatever is already waiting belongs to no request of ours: bytes left
// over on the line, or a late answer to a request that failed. After a
// failure the line gets one more timeout to bring that late answer, so that
// it cannot arrive during the next exchange and pass for its answer (a
// serial line has no transaction ids to tell them apart).
void ModbusSource::Discard()
{
    const auto until = Clock::now() + (lateMayCome_ ? std::chrono::milliseconds(settings_.timeoutMs)
                                                    : std::chrono::milliseconds(0));
    std::vector<std::uint8_t> discarded;
    while (!Interrupted()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        const Link::Got came = link_->Receive(
            std::clamp<std::chrono::milliseconds>(left, std::chrono::milliseconds(0), kSlice),
            discarded);
        if (came == Link::Got::Lost || (came == Link::Got::Nothing && Clock::now() >= until))
            break;
    }
    if (!discarded.empty())
        Trace(lateMayCome_ ? "late" : "stale", discarded);
    lateMayCome_ = false;
}

void ModbusSource::Trace(std::string_view what, std::span<const std::uint8_t> bytes) const
{
    if (settings_.trace)
        settings_.trace(std::string(what) + " " + HexBytes(bytes));
}

void ModbusSource::Pause(Clock::duration time) const
{
    const auto until = Clock::now() + time;
    while (!Interrupted() && Clock::now() < until)
        std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), kSlice));
}

} // namespace

std::unique_ptr<RegisterSource> OpenRegisterSource(const DeviceSettings& settings,
                                                   std::string& error)
{
    error = CheckDeviceSettings(settings);
    if (!error.empty())
        return nullptr;
    const std::optional<DeviceAddress> where = ParseDeviceAddress(settings.device, error);
    if (!where)
        return nullptr;
    std::unique_ptr<Link> link = MakeLink(settings, *where, error);
    if (!link)
        return nullptr;
    return std::make_unique<ModbusSource>(std::move(link), settings,
                                          where->tcp ? Framing::Tcp : Framing::Rtu);
}
