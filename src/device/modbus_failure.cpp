#include "device/modbus_failure.h"

#include <cerrno>
#include <modbus.h>
#include <netdb.h>
#include <string_view>

namespace {

// The names of exception codes 1 to 11; code 9 has none.
constexpr std::string_view kExceptionNames[] = {"illegal function",
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

// The system's words for `error`, starting lower case as our messages do.
std::string SystemWords(int error)
{
    std::string words = modbus_strerror(error);
    if (!words.empty() && words[0] >= 'A' && words[0] <= 'Z')
        words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return words;
}

bool CanResolve(const std::string& host)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return false;
    freeaddrinfo(found);
    return true;
}

} // namespace

ModbusFailure DescribeConnectFailure(int error, const DeviceAddress& address)
{
    ModbusFailure failure{ReadFailure::Unreachable, 0, {}};
    if (!address.tcp) {
        if (error == ENOENT || error == ENODEV || error == ENXIO)
            failure.what = "cannot open: no such device";
        else if (error == EACCES || error == EPERM)
            failure.what = "cannot open: permission denied (the user may need to be in the "
                           "dialout group)";
        else
            failure.what = "cannot open: " + SystemWords(error);
    } else if (error == ECONNREFUSED && !CanResolve(address.host)) {
        failure.what = "unknown host " + address.host;
    } else if (error == ETIMEDOUT) {
        failure.what = "no connection within the timeout";
    } else {
        failure.what = SystemWords(error); // "connection refused", "network is unreachable"...
    }
    return failure;
}

ModbusFailure DescribeReadFailure(int error, int timeoutMs)
{
    if (error >= MODBUS_ENOBASE && error <= EMBXGTAR) {
        const int code = error - MODBUS_ENOBASE;
        const std::string_view name = code >= 1 ? kExceptionNames[code - 1] : std::string_view();
        const std::string number = "exception " + std::to_string(code);
        return {ReadFailure::Exception, code,
                name.empty() ? number : std::string(name) + " (" + number + ")"};
    }
    switch (error) {
    case ETIMEDOUT:
        return {ReadFailure::Timeout, 0,
                "timeout: no answer within " + std::to_string(timeoutMs) + " ms"};
    case EMBBADCRC:
        return {ReadFailure::BadReply, 0, "CRC error in the answer"};
    case EMBBADEXC:
        return {ReadFailure::BadReply, 0, "a malformed exception answer, or an unknown code"};
    case EMBBADSLAVE:
        return {ReadFailure::BadReply, 0, "an answer from another unit"};
    case EMBBADDATA:
        return {ReadFailure::BadReply, 0, "an answer that does not fit the request"};
    case ECONNRESET:
    case ECONNABORTED:
    case EPIPE:
    case ENOTCONN:
    case EBADF:
    case EIO:
        return {ReadFailure::ConnectionLost, 0, "connection lost"};
    default: // any other failure of the line: start again on a new connection
        return {ReadFailure::ConnectionLost, 0, SystemWords(error)};
    }
}
