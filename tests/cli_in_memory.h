// Runs tarvel-cli's logic in this process on in-memory streams.
#pragma once

#include "cli/run_tarvel_cli.h"

#include <cstdio>
#include <cstdlib>
#include <string>
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
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    char* out = nullptr;
    std::size_t outSize = 0;
    char* err = nullptr;
    std::size_t errSize = 0;
    std::FILE* outStream = open_memstream(&out, &outSize);
    std::FILE* errStream = open_memstream(&err, &errSize);
    const int status = RunTarvelCli(static_cast<int>(args.size()), argv.data(),
                                    {in, outStream, errStream, interactive});
    std::fclose(in);
    std::fclose(outStream);
    std::fclose(errStream);
    CliOutcome outcome{status, std::string(out, outSize), std::string(err, errSize)};
    std::free(out);
    std::free(err);
    return outcome;
}
