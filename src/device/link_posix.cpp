// The link on Linux: libmodbus connects over TCP within the timeout, or opens
// the serial port and sets its speed, parity, stop bits and RS-485 mode; the
// bytes then move on its descriptor with poll, read and write.
#include "device/link.h"
#include "device/modbus_context.h"

#include <algorithm>
#include <cerrno>
#include <modbus.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

class PosixLink final : public Link {
public:
    PosixLink(ModbusContext context, DeviceAddress where, bool rs485)
        : context_(std::move(context)), where_(std::move(where)), rs485_(rs485)
    {
    }

    ModbusFailure Open() override
    {
        modbus_t* const context = context_.get();
        if (modbus_connect(context) != 0)
            return DescribeConnectFailure(errno, where_);
        if (rs485_ && modbus_rtu_set_serial_mode(context, MODBUS_RTU_RS485) != 0) {
            const int error = errno;
            modbus_close(context);
            return {ReadFailure::Unreachable, 0,
                    "--rs485: the port or its driver has no RS-485 mode (" +
                        std::string(modbus_strerror(error)) + ")"};
        }
        return {};
    }

    void Close() override { modbus_close(context_.get()); }

    Got Receive(std::chrono::milliseconds wait, std::vector<std::uint8_t>& into) override
    {
        pollfd ready{modbus_get_socket(context_.get()), POLLIN, 0};
        const int n = poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(wait.count(), 0)));
        if (n < 0)
            return errno == EINTR ? Got::Nothing : Got::Lost;
        if (n == 0)
            return Got::Nothing;
        std::uint8_t buffer[260];
        const ssize_t got = read(ready.fd, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            return Got::Lost;
        if (got < 0)
            return Got::Nothing;
        into.insert(into.end(), buffer, buffer + got);
        return Got::Bytes;
    }

    bool Send(std::span<const std::uint8_t> frame) override
    {
        const int fd = modbus_get_socket(context_.get());
        for (std::size_t sent = 0; sent < frame.size();) {
            // MSG_NOSIGNAL: a closed peer is a lost connection, not a SIGPIPE.
            const ssize_t n = where_.tcp
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

private:
    ModbusContext context_;
    DeviceAddress where_;
    bool rs485_;
};

} // namespace

std::unique_ptr<Link> MakeLink(const DeviceSettings& settings, const DeviceAddress& where,
                               std::string& error)
{
    ModbusContext context(
        where.tcp ? modbus_new_tcp_pi(where.host.c_str(), std::to_string(where.port).c_str())
                  : modbus_new_rtu(where.path.c_str(), settings.baud, settings.parity, 8,
                                   settings.stopBits));
    // The response timeout bounds a TCP connect; answers are timed above.
    const auto timeout = static_cast<std::uint32_t>(settings.timeoutMs);
    if (!context || modbus_set_slave(context.get(), settings.unit) != 0 ||
        modbus_set_response_timeout(context.get(), timeout / 1000, timeout % 1000 * 1000) != 0) {
        error = settings.device + ": " + modbus_strerror(errno);
        return nullptr;
    }
    return std::make_unique<PosixLink>(std::move(context), where, settings.rs485);
}
