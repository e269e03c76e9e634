// tests/device/misbehaving_server.py started for one test, over TCP or over
// a socat pty pair (RTU), and stopped when the object goes.
#pragma once

#include "tests/device/child_process.h"

#include <memory>
#include <string>
#include <vector>

class MisbehavingDevice {
public:
    // Starts the server with `options` (its misbehaviours); it logs every
    // request it gets.
    MisbehavingDevice(bool rtu, const std::vector<std::string>& options);
    MisbehavingDevice(const MisbehavingDevice&) = delete;
    MisbehavingDevice& operator=(const MisbehavingDevice&) = delete;
    ~MisbehavingDevice();

    // The DEVICE text to read it by; empty when it did not start.
    const std::string& Text() const { return text_; }
    // The requests it has logged, a line each: "N unit U function F ...".
    std::vector<std::string> Requests() const;

private:
    std::string folder_; // the log and the pty pair's links
    std::string text_;
    std::unique_ptr<ChildProcess> socat_;
    std::unique_ptr<ChildProcess> server_;
};
