#include "device/device_address.h"

#include <algorithm>
#include <cstddef>

namespace {

// The longest name DNS has room for.
constexpr std::size_t kMaxHost = 253;

constexpr std::string_view kForm = " (tcp://HOST[:PORT] or a serial device path)";

bool IsSchemeChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
}

// The port after "HOST:", 1 to 65535 in decimal digits only.
std::optional<std::uint16_t> ReadPort(std::string_view text)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    unsigned port = 0;
    for (const char c : text)
        port = port * 10 + static_cast<unsigned>(c - '0');
    if (port == 0 || port > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

// A host name or IPv4 address: something, with nothing a URL would read as
// another part.
bool IsPlainHost(std::string_view host)
{
    return !host.empty() && host.find_first_of("/?#@[] \t") == std::string_view::npos;
}

std::optional<DeviceAddress> ParseTcp(std::string_view text, std::string_view rest,
                                      std::string& error)
{
    const std::string quoted = "'" + std::string(text) + "': ";
    DeviceAddress address;
    address.tcp = true;
    std::string_view host = rest;
    std::string_view port;
    bool portGiven = false;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos) {
            error = quoted + "no ']' closes the IPv6 address";
            return std::nullopt;
        }
        host = rest.substr(1, close - 1);
        const std::string_view after = rest.substr(close + 1);
        if (host.find(':') == std::string_view::npos || !IsPlainHost(host)) {
            error = quoted + "brackets hold an IPv6 address, such as [::1]";
            return std::nullopt;
        }
        if (!after.empty() && after.front() != ':') {
            error = quoted + "only ':PORT' may follow the ']'";
            return std::nullopt;
        }
        portGiven = !after.empty();
        port = portGiven ? after.substr(1) : after;
    } else {
        const auto colon = rest.find(':');
        if (colon != std::string_view::npos &&
            rest.find(':', colon + 1) != std::string_view::npos) {
            error = quoted + "an IPv6 address goes in brackets: tcp://[ADDRESS]:PORT";
            return std::nullopt;
        }
        host = rest.substr(0, colon);
        portGiven = colon != std::string_view::npos;
        port = portGiven ? rest.substr(colon + 1) : std::string_view();
        if (!IsPlainHost(host)) {
            error = quoted + (host.empty() ? "no host" : "not a host name or address") +
                    std::string(kForm);
            return std::nullopt;
        }
    }
    if (host.size() > kMaxHost) {
        error = quoted + "a host is at most " + std::to_string(kMaxHost) + " characters";
        return std::nullopt;
    }
    address.host = std::string(host);
    address.port = kDefaultModbusPort;
    if (portGiven) {
        const auto number = ReadPort(port);
        if (!number) {
            error = quoted + "the port is a number from 1 to 65535";
            return std::nullopt;
        }
        address.port = *number;
    }
    return address;
}

} // namespace

std::optional<DeviceAddress> ParseDeviceAddress(std::string_view text, std::string& error)
{
    if (text.empty()) {
        error = "no device given" + std::string(kForm);
        return std::nullopt;
    }
    const auto separator = text.find("://");
    if (separator != std::string_view::npos && separator > 0 &&
        std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(separator),
                    IsSchemeChar)) {
        std::string scheme(text.substr(0, separator));
        std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        if (scheme != "tcp") {
            error = "'" + std::string(text) + "': unknown kind of device" + std::string(kForm);
            return std::nullopt;
        }
        return ParseTcp(text, text.substr(separator + 3), error);
    }
    DeviceAddress address;
    address.path = std::string(text);
    return address;
}
