#include "cli/output/std_streams.h"

#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

std::ptrdiff_t ReadBytes(int fd, char* data, std::size_t size)
{
    return read(fd, data, size);
}

std::ptrdiff_t WriteBytes(int fd, const char* data, std::size_t size)
{
    return write(fd, data, size);
}

int OpenFile(const char* path)
{
    return open(path, O_RDONLY | O_CLOEXEC);
}

void CloseFile(int fd)
{
    close(fd);
}

bool IsTerminal(int fd)
{
    return isatty(fd) != 0;
}

void UseBinaryStreams() {}

// Without SA_RESTART, the signal cuts a waiting read or write short (EINTR),
// so pending results can be written before the program ends as the signal
// would. A background job's ignored SIGINT stays ignored.
void CatchInterruptions(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

void EndAsInterrupted(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    _exit(128 + signal); // the signal was blocked
}
