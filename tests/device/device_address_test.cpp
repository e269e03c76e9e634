// DEVICE texts and settings, as the caller's usage errors see them: pure, no
// device needed.
#include "device/device_address.h"
#include "device/port_names.h"
#include "device/register_source.h"
#include "tests/named_row.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kForm = " (tcp://HOST[:PORT] or a serial device path)";

struct AddressRow {
    const char* name;
    std::string text;
    bool tcp = false;
    std::string host;
    int port = 0;
    std::string path;
    std::string error; // empty when the text is a DEVICE
};

class DeviceAddressTest : public testing::TestWithParam<AddressRow> {};

TEST_P(DeviceAddressTest, ReadsTheDeviceOrSaysWhatIsWrong)
{
    const AddressRow& row = GetParam();
    std::string error;
    const auto address = ParseDeviceAddress(row.text, error);
    EXPECT_EQ(error, row.error);
    ASSERT_EQ(address.has_value(), row.error.empty());
    if (!address)
        return;
    EXPECT_EQ(address->tcp, row.tcp);
    EXPECT_EQ(address->host, row.host);
    EXPECT_EQ(address->port, row.port);
    EXPECT_EQ(address->path, row.path);
}

AddressRow Tcp(const char* name, const char* text, const char* host, int port)
{
    return {name, text, true, host, port, "", ""};
}

AddressRow Serial(const char* name, const char* text)
{
    return {name, text, false, "", 0, text, ""};
}

AddressRow Bad(const char* name, const std::string& text, const std::string& error)
{
    return {name, text, false, "", 0, "", error};
}

const std::string kLongHost = "tcp://" + std::string(254, 'h');
const std::string kBadPort = "the port is a number from 1 to 65535";

INSTANTIATE_TEST_SUITE_P(
    Texts, DeviceAddressTest,
    testing::Values(
        Tcp("Ipv4AndPort", "tcp://127.0.0.1:1502", "127.0.0.1", 1502),
        Tcp("Port502ByDefault", "tcp://10.0.0.7", "10.0.0.7", 502),
        Tcp("HostName", "tcp://plc.example:65535", "plc.example", 65535),
        Tcp("SchemeInAnyCase", "TCP://plc:1", "plc", 1),
        Tcp("Ipv6InBrackets", "tcp://[::1]:1502", "::1", 1502),
        Tcp("Ipv6WithZoneDefaultPort", "tcp://[fe80::1%eth0]", "fe80::1%eth0", 502),
        Serial("SerialPath", "/dev/ttyUSB0"),
        Serial("SerialPathWithColons", "/dev/serial/by-id/usb-FTDI_A:1"),
        Bad("Empty", "", std::string("no device given") + kForm),
        Bad("NoHost", "tcp://", std::string("'tcp://': no host") + kForm),
        Bad("PortWithoutHost", "tcp://:502", std::string("'tcp://:502': no host") + kForm),
        Bad("PathAfterHost", "tcp://plc/x",
            std::string("'tcp://plc/x': not a host name or address") + kForm),
        Bad("EmptyPort", "tcp://plc:", "'tcp://plc:': " + kBadPort),
        Bad("PortZero", "tcp://plc:0", "'tcp://plc:0': " + kBadPort),
        Bad("PortTooLarge", "tcp://plc:65536", "'tcp://plc:65536': " + kBadPort),
        Bad("PortNotDigits", "tcp://plc:+80", "'tcp://plc:+80': " + kBadPort),
        Bad("UnclosedBracket", "tcp://[::1:502",
            "'tcp://[::1:502': no ']' closes the IPv6 address"),
        Bad("BracketsWithoutIpv6", "tcp://[plc]:502",
            "'tcp://[plc]:502': brackets hold an IPv6 address, such as [::1]"),
        Bad("TextAfterBracket", "tcp://[::1]502",
            "'tcp://[::1]502': only ':PORT' may follow the ']'"),
        Bad("Ipv6WithoutBrackets", "tcp://::1",
            "'tcp://::1': an IPv6 address goes in brackets: tcp://[ADDRESS]:PORT"),
        Bad("HostTooLong", kLongHost, "'" + kLongHost + "': a host is at most 253 characters"),
        Bad("AnotherScheme", "udp://plc:502",
            std::string("'udp://plc:502': unknown kind of device") + kForm)),
    [](const auto& row) { return row.param.name; });

struct SettingsRow {
    const char* name;
    DeviceSettings settings;
    std::string error; // empty when the settings can be used
};

class DeviceSettingsTest : public testing::TestWithParam<SettingsRow> {};

TEST_P(DeviceSettingsTest, RefusesWhatNoDeviceTakes)
{
    EXPECT_EQ(CheckDeviceSettings(GetParam().settings), GetParam().error);
}

DeviceSettings TcpSettings()
{
    return DeviceSettings{.device = "tcp://plc"};
}
DeviceSettings SerialSettings()
{
    return DeviceSettings{.device = "/dev/ttyUSB0"};
}

template <class Change> DeviceSettings With(DeviceSettings settings, Change change)
{
    change(settings);
    return settings;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DeviceSettingsTest,
    testing::Values(
        SettingsRow{"DefaultsOverTcp", TcpSettings(), ""},
        SettingsRow{"DefaultsOnASerialLine", SerialSettings(), ""},
        SettingsRow{"ABadDeviceText", DeviceSettings{.device = "tcp://"},
                    std::string("'tcp://': no host") + kForm},
        SettingsRow{"TcpUnit255", With(TcpSettings(), [](auto& s) { s.unit = 255; }), ""},
        SettingsRow{"TcpUnit248", With(TcpSettings(), [](auto& s) { s.unit = 248; }),
                    "unit 248 is out of range: 0 to 247, or 255"},
        SettingsRow{"SerialUnit0IsBroadcast", With(SerialSettings(), [](auto& s) { s.unit = 0; }),
                    "unit 0 is out of range: 1 to 247"},
        SettingsRow{"Timeout0", With(TcpSettings(), [](auto& s) { s.timeoutMs = 0; }),
                    "timeout (ms) 0 is out of range: 1 to 3600000"},
        SettingsRow{"Retries101", With(TcpSettings(), [](auto& s) { s.retries = 101; }),
                    "retries 101 is out of range: 0 to 100"},
        SettingsRow{"TcpTakesNoSerialSetting", With(TcpSettings(), [](auto& s) { s.parity = 'X'; }),
                    ""},
        SettingsRow{"Baud14400", With(SerialSettings(), [](auto& s) { s.baud = 14400; }),
                    "baud rate 14400 is none of 110, 300, 600, 1200, 2400, 4800, 9600, 19200, "
                    "38400, 57600, 115200, 230400, 460800, 500000, 576000, 921600, 1000000, "
                    "1152000, 1500000, 2500000, 3000000, 3500000 or 4000000"},
        SettingsRow{"ParityX", With(SerialSettings(), [](auto& s) { s.parity = 'X'; }),
                    "parity is N (none), E (even) or O (odd)"},
        SettingsRow{"StopBits3", With(SerialSettings(), [](auto& s) { s.stopBits = 3; }),
                    "stop bits are 1 or 2"}),
    [](const auto& row) { return row.param.name; });

// Windows' port names: the path opened, and the order and words a missing
// port's message lists them in.
struct PortsRow {
    const char* name;
    std::vector<std::string> ports; // the first is also given to WindowsPortPath
    std::string path;
    std::string listed;
};

class PortNamesTest : public testing::TestWithParam<PortsRow> {};

TEST_P(PortNamesTest, OpensAndListsPortsAsWindowsNamesThem)
{
    const PortsRow& row = GetParam();
    if (!row.ports.empty()) {
        EXPECT_EQ(WindowsPortPath(row.ports.front()), row.path);
    }
    EXPECT_EQ(ListedPortNames(SortedPortNames(row.ports)), row.listed);
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortNamesTest,
    testing::Values(PortsRow{"None", {}, "", "none"},
                    PortsRow{"OneLowerCase", {"com3"}, "\\\\.\\com3", "com3"},
                    PortsRow{"CountedNotAlphabetical",
                             {"COM10", "COM2", "COM1", "COM2"},
                             "\\\\.\\COM10",
                             "COM1, COM2 and COM10"},
                    PortsRow{"OtherNamesLast",
                             {"\\\\.\\COM12", "CNCA0", "COM3"},
                             "\\\\.\\COM12",
                             "COM3, CNCA0 and \\\\.\\COM12"},
                    PortsRow{"NotQuiteCom", {"COMX", "COM", "COM123456"}, "COMX",
                             "COM, COM123456 and COMX"}),
    [](const auto& row) { return row.param.name; });

} // namespace
