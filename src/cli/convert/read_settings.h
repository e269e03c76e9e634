// The device settings read's options ask for, checked before anything is
// opened.
#pragma once

#include "cli/options/cli_options.h"
#include "device/register_source.h"

#include <optional>
#include <string>
#include <string_view>

// Settings for `device` from `read` (its first unit as the settings' unit).
// Nullopt with `error` for a serial option (--baud, --parity, --stop-bits,
// --rs485) given with a tcp:// device, named, or for settings
// CheckDeviceSettings refuses with any of the units. Opens nothing.
std::optional<DeviceSettings> ReadSettings(std::string_view device, const ReadOptions& read,
                                           std::string& error);
