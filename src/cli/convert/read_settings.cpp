#include "cli/convert/read_settings.h"

#include "device/device_address.h"

std::optional<DeviceSettings> ReadSettings(std::string_view device, const ReadOptions& read,
                                           std::string& error)
{
    DeviceSettings settings;
    settings.device = std::string(device);
    settings.baud = read.baud.value_or(settings.baud);
    settings.parity = read.parity.value_or(settings.parity);
    settings.stopBits = read.stopBits.value_or(settings.stopBits);
    settings.rs485 = read.rs485;
    settings.timeoutMs = read.timeoutMs;
    settings.retries = read.retries;
    const auto where = ParseDeviceAddress(device, error);
    if (!where)
        return std::nullopt;
    const char* const serial = read.baud       ? "--baud"
                               : read.parity   ? "--parity"
                               : read.stopBits ? "--stop-bits"
                               : read.rs485    ? "--rs485"
                                               : nullptr;
    if (where->tcp && serial != nullptr) {
        error = std::string(serial) + " is for a serial device, not " + std::string(device);
        return std::nullopt;
    }
    for (const int unit : read.units) {
        settings.unit = unit;
        error = CheckDeviceSettings(settings);
        if (!error.empty())
            return std::nullopt;
    }
    settings.unit = read.units.front();
    return settings;
}
