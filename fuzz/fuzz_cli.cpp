// tarvel-cli's argument and session-script handling. The input is arguments
// separated by zero bytes, then (after two zero bytes) standard input; an odd
// length of standard input runs it as typed at a terminal.
#include "tests/cli_in_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(std::string("\0\0", 2));
    const std::string args = input.substr(0, split);
    const std::string stdinText = split == std::string::npos ? "" : input.substr(split + 2);

    std::vector<std::string> words;
    for (std::size_t start = 0; start <= args.size() && !args.empty();) {
        const std::size_t end = std::min(args.find('\0', start), args.size());
        words.push_back(args.substr(start, end - start));
        start = end + 1;
    }
    const bool interactive = stdinText.size() % 2 == 1;
    const CliOutcome outcome = RunCliInMemory(words, stdinText, interactive);

    if (outcome.status != 0 && outcome.status != 2)
        std::abort();
    if (outcome.status == 2 && !interactive && !outcome.out.empty()) // nothing on stdout
        std::abort();
    if (outcome.status == 0 && !outcome.err.empty())
        std::abort();
    return 0;
}
