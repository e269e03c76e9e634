// Runs tarvel-cli's logic in this process on in-memory files.
#pragma once

#include "cli/run_tarvel_cli.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

struct CliOutcome {
    int status;
    std::string out;
    std::string err;
};

// `args` without the program name; `input` is standard input, byte for byte.
inline CliOutcome RunCliInMemory(std::vector<std::string> args, const std::string& input,
                                 bool interactive)
{
    args.insert(args.begin(), "tarvel-cli");
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const int in = memfd_create("stdin", 0);
    const int out = memfd_create("stdout", 0);
    for (std::size_t done = 0; done < input.size();) {
        const ssize_t n = write(in, input.data() + done, input.size() - done);
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    lseek(in, 0, SEEK_SET);
    char* err = nullptr;
    std::size_t errSize = 0;
    std::FILE* errStream = open_memstream(&err, &errSize);
    const int status =
        RunTarvelCli(static_cast<int>(args.size()), argv.data(), {in, out, errStream, interactive});
    std::fclose(errStream);
    CliOutcome outcome{status, std::string(), std::string(err, errSize)};
    std::free(err);
    lseek(out, 0, SEEK_SET);
    char buffer[1 << 16];
    for (ssize_t n; (n = read(out, buffer, sizeof buffer)) > 0;)
        outcome.out.append(buffer, static_cast<std::size_t>(n));
    close(in);
    close(out);
    return outcome;
}
