#include "tests/device/misbehaving_device.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kStartMs = 10000; // a tenth of a second, unless the machine is loaded

} // namespace

MisbehavingDevice::MisbehavingDevice(bool rtu, const std::vector<std::string>& options)
{
    char folder[] = "/tmp/tarvel-misbehaving-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return;
    folder_ = folder;
    std::vector<std::string> argv = {TARVEL_PYTHON, TARVEL_MISBEHAVING_SERVER, "--log",
                                     folder_ + "/log"};
    if (rtu) {
        const std::string a = folder_ + "/a";
        const std::string b = folder_ + "/b";
        socat_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/socat", "pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
        if (!WaitForPath(a, kStartMs) || !WaitForPath(b, kStartMs))
            return;
        argv.insert(argv.end(), {"--rtu", a});
    } else {
        argv.insert(argv.end(), {"--tcp", "0"});
    }
    argv.insert(argv.end(), options.begin(), options.end());
    server_ = std::make_unique<ChildProcess>(argv);
    const std::string line = server_->FirstLine(kStartMs);
    if (line.empty())
        std::fprintf(stderr, "%s did not start\n", TARVEL_MISBEHAVING_SERVER);
    else
        text_ = rtu ? folder_ + "/b" : "tcp://127.0.0.1:" + line;
}

MisbehavingDevice::~MisbehavingDevice()
{
    server_.reset();
    socat_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::vector<std::string> MisbehavingDevice::Requests() const
{
    std::vector<std::string> lines;
    std::ifstream log(folder_ + "/log");
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}
