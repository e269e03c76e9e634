// tarvel-cli's argument and session-script handling. The input gives the
// arguments (a count, then each as a length-prefixed string), whether standard
// input is a terminal, and then standard input itself.
#include "fuzz/byte_provider.h"
#include "tests/cli_in_memory.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ByteProvider input(data, size);
    // An argument holding a zero byte ends there, as any C argument does.
    std::vector<std::string> words(input.ConsumeIntegral<std::size_t>(0, 16));
    for (std::string& word : words)
        word = input.ConsumeString(255);
    // Nothing that reaches past this process: a device (read) or a file
    // (--binary takes a path, and /dev/zero never ends).
    for (const std::string& word : words)
        if (word == "read" || word == "--binary")
            return 0;
    const bool interactive = input.ConsumeBool();
    const std::string stdinText = input.ConsumeRemainingString();
    const CliOutcome outcome = RunCliInMemory(words, stdinText, interactive);

    if (outcome.status != 0 && outcome.status != 2)
        std::abort();
    if (!outcome.out.empty() && outcome.out.back() != '\n') // whole lines only
        std::abort();
    if ((outcome.status == 0) != outcome.err.empty()) // a message exactly when it fails
        std::abort();
    return 0;
}
