#include "tests/device/child_process.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Waits for `pid` to end until `deadline`; true when it has ended.
bool Reaped(pid_t pid, Clock::time_point deadline)
{
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    // A test that dies without its destructors (a sanitizer's report) takes
    // its servers with it, which would otherwise hold ctest's output pipe.
    std::vector<std::string> words{"/usr/bin/setpriv", "--pdeathsig", "KILL", "--"};
    words.insert(words.end(), argv.begin(), argv.end());
    std::vector<char*> args;
    args.reserve(words.size() + 1);
    for (const std::string& arg : words)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        if (!Reaped(pid_, Clock::now() + std::chrono::seconds(2))) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    if (out_ >= 0)
        close(out_);
}

std::string ChildProcess::FirstLine(int waitMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    std::string line;
    while (out_ >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{out_, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char c = 0;
        if (read(out_, &c, 1) != 1)
            return {};
        if (c == '\n')
            return line;
        line += c;
    }
    return {};
}

bool WaitForPath(const std::string& path, int waitMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    struct stat info {};
    while (stat(path.c_str(), &info) != 0) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
