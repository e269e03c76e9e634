// A program a test starts and always stops: it is killed and waited for when
// the object goes, so that no server outlives its test.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Starts `argv` (argv[0] a path, not looked up) with its standard output
    // in a pipe that FirstLine reads; standard error stays the test's.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // SIGTERM, then SIGKILL if it has not ended within two seconds.
    ~ChildProcess();

    bool Started() const { return pid_ > 0; }

    // The first line the program writes, without its line end; empty when it
    // writes none within `waitMs` or ends first. Reads nothing past that line.
    std::string FirstLine(int waitMs);

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// Waits up to `waitMs` for `path` to exist; true when it does.
bool WaitForPath(const std::string& path, int waitMs);
