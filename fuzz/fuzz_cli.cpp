// tarvel-cli's argument and session-script handling. The input is arguments
// separated by zero bytes, then (after two zero bytes) standard input.
#include "cli_main.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(std::string("\0\0", 2));
    const std::string args = input.substr(0, split);
    std::string stdinText = split == std::string::npos ? "" : input.substr(split + 2);

    std::vector<std::string> words = {"tarvel-cli"};
    for (std::size_t start = 0; start <= args.size() && !args.empty();) {
        const std::size_t end = std::min(args.find('\0', start), args.size());
        words.push_back(args.substr(start, end - start));
        start = end + 1;
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::FILE* in = fmemopen(stdinText.data(), stdinText.size() + 1, "r");
    char* outData = nullptr;
    std::size_t outSize = 0;
    char* errData = nullptr;
    std::size_t errSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    std::FILE* err = open_memstream(&errData, &errSize);
    const int status = RunTarvelCli(static_cast<int>(words.size()), argv.data(),
                                    {in, out, err, stdinText.size() % 2 == 1});
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);

    const bool interactive = stdinText.size() % 2 == 1;
    if (status != 0 && status != 2)
        std::abort();
    if (status == 2 && !interactive && outSize != 0) // a bad line leaves stdout empty
        std::abort();
    if (status == 0 && errSize != 0)
        std::abort();
    std::free(outData);
    std::free(errData);
    return 0;
}
