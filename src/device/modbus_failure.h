// Why a read failed, in the words of a ReadResult; and what a failed
// libmodbus connect means.
#pragma once

#include "device/device_address.h"
#include "device/register_source.h"

#include <string>

struct ModbusFailure {
    ReadFailure kind = ReadFailure::None;
    int exceptionCode = 0;
    std::string what;    // lower case, no device, unit or address: the caller adds those
    bool badCrc = false; // a BadReply for its CRC alone, which another try may mend
};

// After modbus_connect failed with `error` (errno) on `address`: what kept
// the device out of reach, Unreachable. Over TCP it resolves the host again
// to tell an unknown host from a refused connection, since libmodbus reports
// both as refused. Never prints.
ModbusFailure DescribeConnectFailure(int error, const DeviceAddress& address);
