// The byte stream under a Modbus exchange: a TCP connection or a serial
// port, each system's own (link_posix.cpp, link_win32.cpp). It moves bytes
// and knows nothing of frames; the exchange above it (modbus_source.cpp)
// builds, times and checks them the same way everywhere.
#pragma once

#include "device/device_address.h"
#include "device/modbus_failure.h"
#include "device/register_source.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class Link {
public:
    Link() = default;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;
    virtual ~Link() = default;

    // Connects, or opens and sets up the port. Kind None, or Unreachable (or
    // Interrupted) with the reason in words. Never prints.
    virtual ModbusFailure Open() = 0;
    // Closes what Open opened; nothing when it is closed.
    virtual void Close() = 0;

    enum class Got { Bytes, Nothing, Lost };
    // Waits at most `wait` for bytes and appends to `into` those that have
    // come (Bytes), or none: Nothing when none came in time, or a signal cut
    // the wait short; Lost when the connection or port failed.
    virtual Got Receive(std::chrono::milliseconds wait, std::vector<std::uint8_t>& into) = 0;
    // Sends all of `frame`; false when the connection or port failed.
    virtual bool Send(std::span<const std::uint8_t> frame) = 0;
};

// The link `where` names, with `settings`' serial settings and timeout; not
// yet open. Null, with a one-line `error`, when the system cannot even make
// one (out of memory, a name it cannot take).
std::unique_ptr<Link> MakeLink(const DeviceSettings& settings, const DeviceAddress& where,
                               std::string& error);
