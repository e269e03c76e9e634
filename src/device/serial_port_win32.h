// A serial port opened and set up with Windows' own calls. libmodbus keeps
// the handle of a port it opens to itself, and the exchange needs it.
#pragma once

#include "device/modbus_failure.h"
#include "device/register_source.h"

#include <string>
#include <vector>
#include <windows.h>

// Opens the port `settings.device` names ("COM3", "\\.\COM12") for reading
// and writing, alone, and sets 8 data bits, the baud rate, parity and stop
// bits, no flow control, and with settings.rs485 the RTS line raised while
// sending (how Windows switches an RS-485 driver). INVALID_HANDLE_VALUE with
// `failure` Unreachable, saying why: a port held by another program, a port
// that does not exist (naming those that do), not a serial port, settings the
// driver refused. Never prints.
HANDLE OpenSerialPort(const DeviceSettings& settings, ModbusFailure& failure);

// Has the next ReadFile on `port` return as soon as a byte is there, or with
// none after `waitMs` (0: at once). False when the driver refuses.
bool SetReadWait(HANDLE port, DWORD waitMs);

// The ports Windows lists (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM), sorted as
// people count them; none when the key is missing.
std::vector<std::string> SerialPortsHere();

// Windows' words for the error `code`, lower case first, no final stop.
std::string SystemWords(DWORD code);
