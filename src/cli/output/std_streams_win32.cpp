#include "cli/output/std_streams.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <initializer_list>
#include <io.h>

std::ptrdiff_t ReadBytes(int fd, char* data, std::size_t size)
{
    return _read(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

std::ptrdiff_t WriteBytes(int fd, const char* data, std::size_t size)
{
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

int OpenFile(const char* path)
{
    return _open(path, _O_RDONLY | _O_BINARY);
}

void CloseFile(int fd)
{
    _close(fd);
}

// A console, not any character device (_isatty is true for NUL too).
bool IsTerminal(int fd)
{
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}

// A console's input stays in text mode, where Ctrl+Z ends it as Windows
// users expect; its "\r\n" would be read as "\n" either way.
void UseBinaryStreams()
{
    if (!IsTerminal(kStandardInput))
        _setmode(kStandardInput, _O_BINARY);
    _setmode(kStandardOutput, _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// Unlike POSIX, Ctrl+C runs the handler on a thread of its own and cuts no
// read short: a read from a pipe or file waits for its input, and a
// console's read returns as if the input had ended; either way pending
// results are written before the program ends. The CRT resets the handler
// after one call, so a second Ctrl+C ends the program at once.
// SIGTERM is never sent to a Windows program; catching it costs nothing.
void CatchInterruptions(void (*handler)(int))
{
    for (const int signal : {SIGINT, SIGTERM})
        if (std::signal(signal, handler) == SIG_IGN)
            std::signal(signal, SIG_IGN);
}
