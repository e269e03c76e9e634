// tarvel-cli: the converter dialog without a window, for scripts.
#include "cli/run_tarvel_cli.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Large blocks for pipes and files; a terminal keeps stdio's line buffering.
    if (isatty(STDOUT_FILENO) == 0)
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);

    int status = RunTarvelCli(argc, argv, {stdin, stdout, stderr, isatty(STDIN_FILENO) != 0});
    if (std::ferror(stdin) != 0) {
        std::fprintf(stderr, "tarvel-cli: cannot read standard input: %s\n", std::strerror(errno));
        status = 1;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "tarvel-cli: cannot write standard output: %s\n",
                     std::strerror(errno));
        status = 1;
    }
    return status;
}
