#include "device/modbus_failure.h"

#include <cerrno>
#include <modbus.h>
#include <netdb.h>

namespace {

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
        else if (error == ENOTTY || error == EINVAL)
            failure.what = "cannot open: not a serial port";
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
