// The link on Windows: a TCP connection held by libmodbus, the bytes moving
// on its socket with select, recv and send; a serial port opened and set up
// with Windows' own calls (device/serial_port_win32.h).
// winsock2.h before windows.h, which the others include.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "device/link.h"
#include "device/modbus_context.h"
#include "device/serial_port_win32.h"

#include <algorithm>
#include <cerrno>
#include <modbus.h>
#include <utility>

namespace {

class TcpLink final : public Link {
public:
    TcpLink(ModbusContext context, DeviceAddress where, int timeoutMs)
        : context_(std::move(context)), where_(std::move(where)), timeoutMs_(timeoutMs)
    {
    }

    // libmodbus 3.1.6 on Windows waits for the socket to become writable
    // only, and Windows reports a refused connection otherwise: a refusal
    // would wait out the timeout and be called one. So the connect is ours,
    // and libmodbus is given the socket.
    ModbusFailure Open() override
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            return {ReadFailure::Unreachable, 0, "no network (Windows sockets did not start)"};
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        if (getaddrinfo(where_.host.c_str(), std::to_string(where_.port).c_str(), &hints,
                        &found) != 0)
            return {ReadFailure::Unreachable, 0, "unknown host " + where_.host};
        ModbusFailure failure;
        for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
            failure = ConnectTo(*address);
            if (failure.kind == ReadFailure::None)
                break;
        }
        freeaddrinfo(found);
        return failure;
    }

    void Close() override { modbus_close(context_.get()); }

    Got Receive(std::chrono::milliseconds wait, std::vector<std::uint8_t>& into) override
    {
        const auto socket = static_cast<SOCKET>(modbus_get_socket(context_.get()));
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(socket, &ready);
        const long ms = static_cast<long>(std::max<std::int64_t>(wait.count(), 0));
        timeval time{ms / 1000, ms % 1000 * 1000};
        const int n = select(0, &ready, nullptr, nullptr, &time);
        if (n == SOCKET_ERROR)
            return Got::Lost;
        if (n == 0)
            return Got::Nothing;
        char buffer[260];
        const int got = recv(socket, buffer, sizeof buffer, 0);
        if (got == SOCKET_ERROR)
            return WSAGetLastError() == WSAEWOULDBLOCK ? Got::Nothing : Got::Lost;
        if (got == 0)
            return Got::Lost;
        into.insert(into.end(), buffer, buffer + got);
        return Got::Bytes;
    }

    bool Send(std::span<const std::uint8_t> frame) override
    {
        const auto socket = static_cast<SOCKET>(modbus_get_socket(context_.get()));
        for (std::size_t sent = 0; sent < frame.size();) {
            const int n = send(socket, reinterpret_cast<const char*>(frame.data() + sent),
                               static_cast<int>(frame.size() - sent), 0);
            if (n == SOCKET_ERROR || n == 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    ModbusFailure ConnectTo(const addrinfo& address)
    {
        const SOCKET socket = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
        if (socket == INVALID_SOCKET)
            return {ReadFailure::Unreachable, 0, SystemWords(static_cast<DWORD>(WSAGetLastError()))};
        u_long nonBlocking = 1;
        ioctlsocket(socket, static_cast<long>(FIONBIO), &nonBlocking);
        int error = 0;
        if (connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
            error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK) {
                fd_set writable;
                fd_set failed;
                FD_ZERO(&writable);
                FD_ZERO(&failed);
                FD_SET(socket, &writable);
                FD_SET(socket, &failed);
                timeval time{timeoutMs_ / 1000, timeoutMs_ % 1000 * 1000};
                const int n = select(0, nullptr, &writable, &failed, &time);
                int length = sizeof error;
                error = n == 0 ? WSAETIMEDOUT
                        : n < 0 ? WSAGetLastError()
                        : getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                                     &length) != 0
                            ? WSAGetLastError()
                            : error;
            }
        }
        if (error != 0) {
            closesocket(socket);
            return {ReadFailure::Unreachable, 0,
                    error == WSAECONNREFUSED ? "connection refused"
                    : error == WSAETIMEDOUT  ? "no connection within the timeout"
                                             : SystemWords(static_cast<DWORD>(error))};
        }
        const BOOL noDelay = TRUE;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                   sizeof noDelay);
        modbus_set_socket(context_.get(), static_cast<int>(socket));
        return {};
    }

    ModbusContext context_;
    DeviceAddress where_;
    long timeoutMs_;
};

class SerialLink final : public Link {
public:
    explicit SerialLink(DeviceSettings settings) : settings_(std::move(settings)) {}
    ~SerialLink() override { SerialLink::Close(); }

    ModbusFailure Open() override
    {
        ModbusFailure failure;
        port_ = OpenSerialPort(settings_, failure);
        wait_ = 0;
        return failure;
    }

    void Close() override
    {
        if (port_ != INVALID_HANDLE_VALUE)
            CloseHandle(port_);
        port_ = INVALID_HANDLE_VALUE;
    }

    Got Receive(std::chrono::milliseconds wait, std::vector<std::uint8_t>& into) override
    {
        const auto ms = static_cast<DWORD>(std::max<std::int64_t>(wait.count(), 0));
        if (ms != wait_ && !SetReadWait(port_, ms))
            return Got::Lost;
        wait_ = ms;
        std::uint8_t buffer[260];
        DWORD got = 0;
        if (!ReadFile(port_, buffer, sizeof buffer, &got, nullptr))
            return Got::Lost; // an unplugged adapter
        if (got == 0)
            return Got::Nothing;
        into.insert(into.end(), buffer, buffer + got);
        return Got::Bytes;
    }

    bool Send(std::span<const std::uint8_t> frame) override
    {
        DWORD sent = 0;
        return WriteFile(port_, frame.data(), static_cast<DWORD>(frame.size()), &sent, nullptr) &&
               sent == frame.size();
    }

private:
    DeviceSettings settings_;
    HANDLE port_ = INVALID_HANDLE_VALUE;
    DWORD wait_ = 0; // the read wait the port is set to
};

} // namespace

std::unique_ptr<Link> MakeLink(const DeviceSettings& settings, const DeviceAddress& where,
                               std::string& error)
{
    if (!where.tcp)
        return std::make_unique<SerialLink>(settings);
    ModbusContext context(
        modbus_new_tcp_pi(where.host.c_str(), std::to_string(where.port).c_str()));
    if (!context || modbus_set_slave(context.get(), settings.unit) != 0) {
        error = settings.device + ": " + modbus_strerror(errno);
        return nullptr;
    }
    return std::make_unique<TcpLink>(std::move(context), where, settings.timeoutMs);
}
