#include "tests/device/test_servers.h"

#include "tests/device/child_process.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// Starting takes a tenth of a second; these bound a machine under load.
constexpr int kStartMs = 10000;

struct RunningDevice {
    std::string text;
    std::string folder; // RTU: the pty pair's links, removed at the end
    std::unique_ptr<ChildProcess> socat;
    std::unique_ptr<ChildProcess> server;

    RunningDevice() = default;
    RunningDevice(const RunningDevice&) = delete;
    RunningDevice& operator=(const RunningDevice&) = delete;
    ~RunningDevice()
    {
        server.reset();
        socat.reset();
        if (!folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }
};

std::unique_ptr<ChildProcess> StartServer(std::vector<std::string> options, std::string& line)
{
    options.insert(options.begin(), {TARVEL_PYTHON, TARVEL_MODBUS_SERVER});
    auto server = std::make_unique<ChildProcess>(options);
    line = server->FirstLine(kStartMs);
    if (line.empty())
        std::fprintf(stderr,
                     "device_test: %s did not start (python3-pymodbus, "
                     "python3-serial-asyncio and socat installed?)\n",
                     TARVEL_MODBUS_SERVER);
    return server;
}

// A port that nothing listens on: the kernel's pick of a free one, let go.
std::string FreePort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const bool found = bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                       getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0;
    close(s);
    return found ? std::to_string(ntohs(address.sin_port)) : "";
}

void Start(TestDevice device, RunningDevice& running)
{
    std::string line;
    switch (device) {
    case TestDevice::Tcp: {
        std::vector<std::string> options{"--tcp", "0", "--silent", "20"};
        for (const int code : {1, 2, 3, 4, 5, 6, 10, 11})
            options.insert(options.end(),
                           {"--exception", std::to_string(code) + ":" + std::to_string(code)});
        running.server = StartServer(options, line);
        break;
    }
    case TestDevice::Dropping:
        running.server = StartServer({"--tcp", "0", "--drop-after", "1"}, line);
        break;
    case TestDevice::Rtu: {
        char folder[] = "/tmp/tarvel-device-test-XXXXXX";
        if (mkdtemp(folder) == nullptr)
            return;
        running.folder = folder;
        const std::string a = running.folder + "/a";
        const std::string b = running.folder + "/b";
        running.socat = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/socat", "pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
        if (!WaitForPath(a, kStartMs) || !WaitForPath(b, kStartMs))
            return;
        running.server = StartServer({"--rtu", a, "--bad-crc", "150"}, line);
        if (!line.empty())
            running.text = b;
        return;
    }
    case TestDevice::Refused:
        line = FreePort();
        break;
    case TestDevice::Missing:
        running.text = "/nonexistent/ttyUSB9";
        return;
    }
    if (!line.empty())
        running.text = "tcp://127.0.0.1:" + line;
}

} // namespace

const std::string& DeviceText(TestDevice device)
{
    // Destroyed as the program ends, which stops every server and socat.
    static std::map<TestDevice, RunningDevice> running;
    const auto [place, added] = running.try_emplace(device);
    if (added)
        Start(device, place->second);
    return place->second.text;
}
