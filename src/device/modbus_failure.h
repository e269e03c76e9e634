// What a failed libmodbus call means, in the words of a ReadResult.
#pragma once

#include "device/device_address.h"
#include "device/register_source.h"

#include <string>

struct ModbusFailure {
    ReadFailure kind = ReadFailure::None;
    int exceptionCode = 0;
    std::string what; // lower case, no device, unit or address: the caller adds those
};

// After modbus_connect failed with `error` (errno) on `address`: what kept
// the device out of reach, Unreachable. Over TCP it resolves the host again
// to tell an unknown host from a refused connection, since libmodbus reports
// both as refused. Never prints.
ModbusFailure DescribeConnectFailure(int error, const DeviceAddress& address);

// After a read failed with `error` (errno: libmodbus's own codes or the
// system's), on a source whose answers may take `timeoutMs`: an exception
// answer by its name and code, a timeout, a bad CRC or answer, a lost
// connection, or else the system's words for `error`.
ModbusFailure DescribeReadFailure(int error, int timeoutMs);
