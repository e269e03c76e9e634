// The devices the device layer's tests read from: tests/device/modbus_server.py
// over TCP and over a socat pty pair (RTU), started on first use and stopped
// when the test program ends.
#pragma once

#include <string>

// What a device text stands for in a test row.
enum class TestDevice {
    Tcp,      // the server; exception N at addresses 1-6, 10 and 11, silent at 20
    Dropping, // the server, closing each connection on its second request
    Rtu,      // the server over RTU, its answers for address 150 with a bad CRC
    Refused,  // a free localhost port: nothing listens there
    Missing,  // a serial device that does not exist
};

// The DEVICE text of `device`, started if need be; empty when it could not
// be started (the reason is on the test's error stream).
const std::string& DeviceText(TestDevice device);
