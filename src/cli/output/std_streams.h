// The operating system's side of tarvel-cli's standard streams: the few
// calls that differ between POSIX and Windows, each defined once per system
// (std_streams_posix.cpp, std_streams_win32.cpp).
#pragma once

#include <csignal>
#include <cstddef>
#include <cstdio>

// The streams a run of tarvel-cli reads and writes, and how it is stopped.
struct CliStreams {
    int in;  // standard input, read with ReadBytes (below)
    int out; // standard output, written with WriteBytes
    std::FILE* err;
    bool interactive; // `in` is a terminal: a bad script line is skipped
    // Set by a SIGINT or SIGTERM handler; null when nothing can interrupt.
    const volatile std::sig_atomic_t* interrupted = nullptr;
    // Set when that signal ended the run as planned (a watch that runs until
    // stopped), so the program exits with the status returned, not by it.
    bool* interruptionHandled = nullptr;
};

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// Reads at most `size` bytes of `fd` into `data`. Returns the number read, 0
// at the end of input, or -1 with errno set (EINTR: a signal cut it short).
std::ptrdiff_t ReadBytes(int fd, char* data, std::size_t size);

// Writes at most `size` bytes of `data` to `fd`. Returns the number written,
// or -1 with errno set (EINTR: a signal cut it short).
std::ptrdiff_t WriteBytes(int fd, const char* data, std::size_t size);

// Opens the file at `path` for reading its bytes unchanged. Returns the
// descriptor, or -1 with errno set.
int OpenFile(const char* path);
// Closes a descriptor OpenFile returned.
void CloseFile(int fd);

// Whether `fd` is a terminal (on Windows, a console).
bool IsTerminal(int fd);

// Makes standard output and error, and standard input unless it is a
// terminal, pass bytes unchanged, so "\n" stays "\n" and a file's every byte
// is read. Nothing to do on POSIX.
void UseBinaryStreams();

// Has `handler` called on SIGINT and SIGTERM, except for a signal the caller
// ignores, which stays ignored. See each system's file for what the signal
// cuts short.
void CatchInterruptions(void (*handler)(int));

// Ends the program as `signal` (SIGINT or SIGTERM) would have, had it not been
// caught: by the signal on POSIX (a shell sees status 128 + signal), with
// Windows' Ctrl+C status (0xC000013A) there. Never returns.
[[noreturn]] void EndAsInterrupted(int signal);
