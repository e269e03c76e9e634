// Where a DEVICE text says a device is: a TCP host and port, or a serial path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct DeviceAddress {
    bool tcp = false;
    std::string host;       // TCP: a name, or an address (IPv6 without its brackets)
    std::uint16_t port = 0; // TCP: 1 to 65535
    std::string path;       // serial: the device's path, as given
};

inline constexpr std::uint16_t kDefaultModbusPort = 502;

// Reads "tcp://HOST[:PORT]" (the scheme in any case; PORT 1 to 65535, 502
// when left out; an IPv6 HOST in brackets, "tcp://[::1]:1502") or, when
// `text` has no "SCHEME://" prefix, a serial device path taken as it stands.
// nullopt, with a one-line `error`, for an empty text, another scheme, a
// missing host or one longer than 253 characters, an unclosed bracket, an
// IPv6 address without brackets, or a port that is not a number in range.
// Pure: resolves and opens nothing.
std::optional<DeviceAddress> ParseDeviceAddress(std::string_view text, std::string& error);
