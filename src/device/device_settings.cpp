// What settings a source can be opened with; the same on every platform, so
// that a bad setting is a usage error everywhere.
#include "device/device_address.h"
#include "device/register_source.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

std::string OutOfRange(std::string_view what, int value, int low, int high)
{
    return std::string(what) + " " + std::to_string(value) +
           " is out of range: " + std::to_string(low) + " to " + std::to_string(high);
}

// The rates libmodbus sets on Linux; it would quietly take 9600 for any other.
constexpr std::array kBaudRates{110,     300,     600,     1200,    2400,    4800,
                                9600,    19200,   38400,   57600,   115200,  230400,
                                460800,  500000,  576000,  921600,  1000000, 1152000,
                                1500000, 2500000, 3000000, 3500000, 4000000};

std::string BaudRates()
{
    std::string list;
    for (const int rate : kBaudRates)
        list += (rate == kBaudRates.back() ? " or "
                 : list.empty()            ? ""
                                           : ", ") +
                std::to_string(rate);
    return list;
}

} // namespace

std::string CheckDeviceSettings(const DeviceSettings& settings)
{
    std::string error;
    const auto address = ParseDeviceAddress(settings.device, error);
    if (!address)
        return error;
    // On a serial line unit 0 is a broadcast, which nothing answers; over TCP
    // many devices answer 0, or 255, the unit of a device that is no gateway.
    const int lowestUnit = address->tcp ? 0 : 1;
    if ((settings.unit < lowestUnit || settings.unit > 247) &&
        !(address->tcp && settings.unit == 255))
        return OutOfRange("unit", settings.unit, lowestUnit, 247) +
               (address->tcp ? ", or 255" : "");
    if (settings.timeoutMs < 1 || settings.timeoutMs > 3600000)
        return OutOfRange("timeout (ms)", settings.timeoutMs, 1, 3600000);
    if (settings.retries < 0 || settings.retries > 100)
        return OutOfRange("retries", settings.retries, 0, 100);
    if (address->tcp)
        return {};
    if (std::find(kBaudRates.begin(), kBaudRates.end(), settings.baud) == kBaudRates.end())
        return "baud rate " + std::to_string(settings.baud) + " is none of " + BaudRates();
    if (settings.parity != 'N' && settings.parity != 'E' && settings.parity != 'O')
        return "parity is N (none), E (even) or O (odd)";
    if (settings.stopBits != 1 && settings.stopBits != 2)
        return "stop bits are 1 or 2";
    return {};
}
