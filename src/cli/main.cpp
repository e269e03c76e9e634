// tarvel-cli: the converter dialog without a window, for scripts.
#include "cli/run_tarvel_cli.h"

#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnSignal(int signal)
{
    g_signal = signal;
}

// SIGINT and SIGTERM cut a waiting read short (no SA_RESTART), so pending
// results can be written before the program ends as the signal would. A
// signal the caller ignores (a background job's SIGINT) stays ignored.
void CatchInterruptions()
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

} // namespace

int main(int argc, char** argv)
{
    CatchInterruptions();
    const int status = RunTarvelCli(
        argc, argv, {STDIN_FILENO, STDOUT_FILENO, stderr, isatty(STDIN_FILENO) != 0, &g_signal});
    if (g_signal != 0) {
        std::signal(g_signal, SIG_DFL);
        std::raise(g_signal);
    }
    return status;
}
