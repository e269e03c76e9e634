// Registers read with libmodbus, over TCP or RTU: framing, CRC, timeouts and
// both transports are libmodbus's own. Only functions 3 and 4 are ever sent.
#include "device/device_address.h"
#include "device/modbus_failure.h"
#include "device/register_source.h"

#include <cerrno>
#include <cstdint>
#include <modbus.h>
#include <optional>
#include <utility>

namespace {

struct ModbusFree {
    void operator()(modbus_t* context) const
    {
        modbus_close(context);
        modbus_free(context);
    }
};
using ModbusContext = std::unique_ptr<modbus_t, ModbusFree>;

class ModbusSource final : public RegisterSource {
public:
    ModbusSource(ModbusContext context, DeviceSettings settings, DeviceAddress where)
        : context_(std::move(context)), settings_(std::move(settings)), where_(std::move(where))
    {
    }

    ReadResult Read(RegisterTable table, std::uint16_t address, std::uint16_t count) override;

private:
    ModbusFailure TryRead(RegisterTable table, std::uint16_t address,
                          std::vector<std::uint16_t>& registers);

    ModbusContext context_;
    DeviceSettings settings_;
    DeviceAddress where_;
    bool connected_ = false;
    bool flushFirst_ = false; // a late answer may be waiting on the line
};

ReadResult ModbusSource::Read(RegisterTable table, std::uint16_t address, std::uint16_t count)
{
    ReadResult result;
    const std::string where = settings_.device + " unit " + std::to_string(settings_.unit) +
                              " address " + std::to_string(address) + ": ";
    if (count == 0 || count > MODBUS_MAX_READ_REGISTERS || address + count > 65536) {
        result.failure = ReadFailure::BadRequest;
        result.error = where + "a read asks 1 to 125 registers, none past 65535";
        return result;
    }
    ModbusFailure failure;
    int tries = 0;
    do {
        ++tries;
        result.registers.assign(count, 0);
        failure = TryRead(table, address, result.registers);
    } while (failure.kind != ReadFailure::None && failure.kind != ReadFailure::Exception &&
             tries <= settings_.retries);
    if (failure.kind == ReadFailure::None)
        return result;
    result.registers.clear();
    result.failure = failure.kind;
    result.exceptionCode = failure.exceptionCode;
    result.error = where + failure.what;
    if (tries > 1)
        result.error += " (" + std::to_string(tries) + " tries)";
    return result;
}

ModbusFailure ModbusSource::TryRead(RegisterTable table, std::uint16_t address,
                                    std::vector<std::uint16_t>& registers)
{
    modbus_t* const context = context_.get();
    if (!connected_) {
        if (modbus_connect(context) != 0)
            return DescribeConnectFailure(errno, where_);
        connected_ = true;
        flushFirst_ = false;
    }
    if (flushFirst_) {
        modbus_flush(context);
        flushFirst_ = false;
    }
    const int count = static_cast<int>(registers.size());
    const int got = table == RegisterTable::Holding
                        ? modbus_read_registers(context, address, count, registers.data())
                        : modbus_read_input_registers(context, address, count, registers.data());
    if (got == count)
        return {};
    ModbusFailure failure = DescribeReadFailure(got < 0 ? errno : EMBBADDATA, settings_.timeoutMs);
    // A broken link is connected again by the next read. After a timeout or a
    // bad answer, a late answer could be taken for the next one: over TCP a
    // new connection leaves it behind, on a serial line it is flushed.
    if (failure.kind == ReadFailure::ConnectionLost ||
        (where_.tcp && failure.kind != ReadFailure::Exception)) {
        modbus_close(context);
        connected_ = false;
    } else if (failure.kind != ReadFailure::Exception) {
        flushFirst_ = true;
    }
    return failure;
}

} // namespace

std::unique_ptr<RegisterSource> OpenRegisterSource(const DeviceSettings& settings,
                                                   std::string& error)
{
    error = CheckDeviceSettings(settings);
    if (!error.empty())
        return nullptr;
    const std::optional<DeviceAddress> where = ParseDeviceAddress(settings.device, error);
    if (!where)
        return nullptr;
    ModbusContext context(
        where->tcp ? modbus_new_tcp_pi(where->host.c_str(), std::to_string(where->port).c_str())
                   : modbus_new_rtu(where->path.c_str(), settings.baud, settings.parity, 8,
                                    settings.stopBits));
    const auto timeout = static_cast<std::uint32_t>(settings.timeoutMs);
    if (!context || modbus_set_slave(context.get(), settings.unit) != 0 ||
        modbus_set_response_timeout(context.get(), timeout / 1000, timeout % 1000 * 1000) != 0) {
        error = settings.device + ": " + modbus_strerror(errno);
        return nullptr;
    }
    return std::make_unique<ModbusSource>(std::move(context), settings, *where);
}
