// A libmodbus context that closes and frees itself: what each system's link
// holds.
#pragma once

#include <memory>
#include <modbus.h>

struct ModbusFree {
    void operator()(modbus_t* context) const
    {
        modbus_close(context);
        modbus_free(context);
    }
};
using ModbusContext = std::unique_ptr<modbus_t, ModbusFree>;
