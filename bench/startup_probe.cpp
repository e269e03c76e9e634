// Measures how long a program takes from exec to mapping its first window,
// and its resident memory once the window shows. Runs each program given on
// the command line several times, interleaved, and prints the medians.
// Usage (under an X server): startup_probe RUNS PROGRAM...
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

struct Sample {
    double ms;
    long kib;
};

Sample RunOnce(Display* display, const char* program)
{
    XSync(display, True); // drop events of earlier runs
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let it settle
    const long kib = ResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return {ms, kib};
}

template <class T> T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int runs = std::atoi(argv[1]);
    std::vector<std::vector<double>> times(argc - 2);
    std::vector<std::vector<long>> memory(argc - 2);
    RunOnce(display, argv[2]); // warm the page cache
    for (int run = 0; run < runs; ++run)
        for (int p = 2; p < argc; ++p) {
            const Sample sample = RunOnce(display, argv[p]);
            times[p - 2].push_back(sample.ms);
            memory[p - 2].push_back(sample.kib);
        }
    std::printf("%-40s %14s %14s\n", "program", "to map (ms)", "resident (MiB)");
    for (int p = 2; p < argc; ++p)
        std::printf("%-40s %14.1f %14.1f\n", argv[p], Median(times[p - 2]),
                    static_cast<double>(Median(memory[p - 2])) / 1024.0);
    XCloseDisplay(display);
    return 0;
}
