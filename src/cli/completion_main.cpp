// tarvel_completion: writes tarvel-cli's shell completion scripts at build
// time, so they come from the same tables as the program.
// Usage: tarvel_completion bash|zsh|fish|names [FILE]; standard output without FILE.
#include "cli/completion.h"

#include <cstdio>
#include <string>
#include <string_view>

int main(int argc, char** argv)
{
    const std::string_view what = argc == 2 || argc == 3 ? argv[1] : "";
    std::string text;
    if (what == "bash")
        text = CompletionScript(Shell::Bash);
    else if (what == "zsh")
        text = CompletionScript(Shell::Zsh);
    else if (what == "fish")
        text = CompletionScript(Shell::Fish);
    else if (what == "names")
        text = CompletionNames();
    else {
        std::fputs("usage: tarvel_completion bash|zsh|fish|names [FILE]\n", stderr);
        return 2;
    }
    std::FILE* out = argc == 3 ? std::fopen(argv[2], "wb") : stdout;
    const bool written = out != nullptr &&
                         std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                         std::fflush(out) == 0;
    if (out != nullptr && out != stdout)
        std::fclose(out);
    if (!written)
        std::perror("tarvel_completion");
    return written ? 0 : 1;
}
