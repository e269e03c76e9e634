// Registers read from a Modbus device. libmodbus opens and sets up the link:
// the TCP connection within the timeout, the serial port's speed, parity and
// stop bits, its RS-485 mode. Each exchange is our own (device/modbus_frame.h)
// on libmodbus's descriptor, because the library takes an answer from another
// unit over TCP, restarts its wait when a signal comes, bounds only the wait
// between bytes, and shows no bytes for a trace. Only functions 1 to 4, which
// read, are ever sent.
#include "device/device_address.h"
#include "device/modbus_failure.h"
#include "device/modbus_frame.h"
#include "device/register_source.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <modbus.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The longest a wait goes without looking at the interruption flag.
constexpr auto kSlice = std::chrono::milliseconds(50);

struct ModbusFree {
    void operator()(modbus_t* context) const
    {
        modbus_close(context);
        modbus_free(context);
    }
};
using ModbusContext = std::unique_ptr<modbus_t, ModbusFree>;

class ModbusSource final : public RegisterSource {
public:
    ModbusSource(ModbusContext context, DeviceSettings settings, DeviceAddress where)
        : context_(std::move(context)), settings_(std::move(settings)), where_(std::move(where)),
          framing_(where_.tcp ? Framing::Tcp : Framing::Rtu)
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
    bool Send(const std::vector<std::uint8_t>& frame);
    void Trace(std::string_view what, std::span<const std::uint8_t> bytes) const;
    bool Interrupted() const
    {
        return settings_.interrupted != nullptr && *settings_.interrupted != 0;
    }
    // Waits `time`, ending early on a signal.
    void Pause(Clock::duration time) const;

    ModbusContext context_;
    DeviceSettings settings_;
    DeviceAddress where_;
    Framing framing_;
    bool connected_ = false;
    bool lateMayCome_ = false; // the last exchange failed: its answer may still come
    std::uint16_t transaction_ = 0;
};

const ModbusFailure kInterrupted{ReadFailure::Interrupted, 0, "interrupted"};

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
    modbus_t* const context = context_.get();
    if (modbus_connect(context) != 0)
        return Interrupted() ? kInterrupted : DescribeConnectFailure(errno, where_);
    if (settings_.rs485 && modbus_rtu_set_serial_mode(context, MODBUS_RTU_RS485) != 0) {
        const int error = errno;
        modbus_close(context);
        return {ReadFailure::Unreachable, 0,
                "--rs485: the port or its driver has no RS-485 mode (" +
                    std::string(modbus_strerror(error)) + ")"};
    }
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
    ModbusFailure failure = Send(frame)
                                ? Receive(request, got, check)
                                : ModbusFailure{ReadFailure::ConnectionLost, 0, "connection lost"};
    if (failure.kind == ReadFailure::ConnectionLost) {
        modbus_close(context_.get());
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
    const int fd = modbus_get_socket(context_.get());
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
        pollfd wait{fd, POLLIN, 0};
        const auto slice = std::min<Clock::duration>(deadline - now, kSlice);
        const int ready =
            poll(&wait, 1,
                 static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
        if (ready < 0 && errno != EINTR)
            return {ReadFailure::ConnectionLost, 0, "connection lost"};
        if (ready <= 0)
            continue;
        std::uint8_t buffer[260];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            return {ReadFailure::ConnectionLost, 0, "connection lost"};
        if (n < 0)
            continue;
        got.insert(got.end(), buffer, buffer + n);
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
    const int fd = modbus_get_socket(context_.get());
    const auto until = Clock::now() + (lateMayCome_ ? std::chrono::milliseconds(settings_.timeoutMs)
                                                    : std::chrono::milliseconds(0));
    std::vector<std::uint8_t> discarded;
    std::uint8_t buffer[256];
    while (!Interrupted()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        pollfd wait{fd, POLLIN, 0};
        const int ready = poll(
            &wait, 1, static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, kSlice.count())));
        if (ready > 0 && (wait.revents & POLLIN) != 0) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            discarded.insert(discarded.end(), buffer, buffer + n);
        } else if (Clock::now() >= until || (ready < 0 && errno != EINTR)) {
            break;
        }
    }
    if (!discarded.empty())
        Trace(lateMayCome_ ? "late" : "stale", discarded);
    lateMayCome_ = false;
}

bool ModbusSource::Send(const std::vector<std::uint8_t>& frame)
{
    const int fd = modbus_get_socket(context_.get());
    Trace("request", frame);
    for (std::size_t sent = 0; sent < frame.size();) {
        // MSG_NOSIGNAL: a closed peer is a lost connection, not a SIGPIPE.
        const ssize_t n = framing_ == Framing::Tcp
                              ? send(fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL)
                              : write(fd, frame.data() + sent, frame.size() - sent);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
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
    ModbusContext context(
        where->tcp ? modbus_new_tcp_pi(where->host.c_str(), std::to_string(where->port).c_str())
                   : modbus_new_rtu(where->path.c_str(), settings.baud, settings.parity, 8,
                                    settings.stopBits));
    // The response timeout bounds a TCP connect; answers are timed here.
    const auto timeout = static_cast<std::uint32_t>(settings.timeoutMs);
    if (!context || modbus_set_slave(context.get(), settings.unit) != 0 ||
        modbus_set_response_timeout(context.get(), timeout / 1000, timeout % 1000 * 1000) != 0) {
        error = settings.device + ": " + modbus_strerror(errno);
        return nullptr;
    }
    return std::make_unique<ModbusSource>(std::move(context), settings, *where);
}
