// tarvel-cli: the converter dialog without a window, for scripts.
#include "cli/output/std_streams.h"
#include "cli/run_tarvel_cli.h"

#include <cstdio>

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void OnSignal(int signal)
{
    g_signal = signal;
}

} // namespace

int main(int argc, char** argv)
{
    UseBinaryStreams();
    CatchInterruptions(OnSignal);
    bool handled = false;
    const int status = RunTarvelCli(
        argc, argv,
        {kStandardInput, kStandardOutput, stderr, IsTerminal(kStandardInput), &g_signal, &handled});
    if (g_signal != 0 && !handled)
        EndAsInterrupted(g_signal);
    return status;
}
