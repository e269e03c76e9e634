// The Windows build: Debian has no Modbus library for mingw-w64, so this build
// opens no device. Settings are still checked first, so that a bad one is the
// same usage error as on Linux.
#include "device/register_source.h"

std::unique_ptr<RegisterSource> OpenRegisterSource(const DeviceSettings& settings,
                                                   std::string& error)
{
    error = CheckDeviceSettings(settings);
    if (error.empty())
        error = "this build has no device support";
    return nullptr;
}
