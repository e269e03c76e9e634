#include "cli/output/std_streams.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
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

namespace {

void (*g_onInterruption)(int) = nullptr;
volatile LONG g_interruptions = 0;

// Ctrl+C, Ctrl+Break and closing the console window all interrupt. The first
// is the caller's to finish; a second ends the program at once, as the
// system's default handler does.
BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    if (InterlockedIncrement(&g_interruptions) > 1)
        return FALSE;
    g_onInterruption(SIGINT);
    // The program ends when this returns from a close: give it a moment to
    // write what it has.
    if (event == CTRL_CLOSE_EVENT)
        Sleep(2000);
    return TRUE;
}

} // namespace

// Unlike POSIX, the console runs the handler on a thread of its own and cuts
// no read short: a read from a pipe or file waits for its input, and a
// console's read returns as if the input had ended; either way pending
// results are written before the program ends. A program started with Ctrl+C
// ignored never sees it. SIGTERM is never sent to a Windows program.
void CatchInterruptions(void (*handler)(int))
{
    g_onInterruption = handler;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void EndAsInterrupted(int)
{
    ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}
