// tarvel_completion: writes tarvel-cli's shell completion scripts, and its
// manual page with a section per command, at build time, so they come from
// the same tables and usages as the program.
// Usage: tarvel_completion bash|zsh|fish|names [FILE]
//        tarvel_completion man PAGE [FILE]
// (standard output without FILE).
#include "cli/completion.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What `words` ask for, or nullopt for a usage error. `file` is where it goes.
std::optional<std::string> Text(const std::vector<std::string_view>& words, const char*& file)
{
    const std::string_view what = words.empty() ? "" : words[0];
    const std::size_t arguments = what == "man" ? 2 : 1; // the page to fill in
    if (words.size() != arguments && words.size() != arguments + 1)
        return std::nullopt;
    file = words.size() > arguments ? words.back().data() : nullptr;
    if (what == "bash")
        return CompletionScript(Shell::Bash);
    if (what == "zsh")
        return CompletionScript(Shell::Zsh);
    if (what == "fish")
        return CompletionScript(Shell::Fish);
    if (what == "names")
        return CompletionNames();
    if (what != "man")
        return std::nullopt;
    std::ifstream page(std::string(words[1]), std::ios::binary);
    std::ostringstream read;
    read << page.rdbuf();
    if (!page)
        return std::nullopt;
    return ManPage(read.str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    const char* file = nullptr;
    const std::optional<std::string> text = Text(words, file);
    if (!text) {
        std::fputs("usage: tarvel_completion bash|zsh|fish|names [FILE]\n"
                   "       tarvel_completion man PAGE [FILE]\n",
                   stderr);
        return 2;
    }
    std::FILE* out = file != nullptr ? std::fopen(file, "wb") : stdout;
    const bool written = out != nullptr &&
                         std::fwrite(text->data(), 1, text->size(), out) == text->size() &&
                         std::fflush(out) == 0;
    if (out != nullptr && out != stdout)
        std::fclose(out);
    if (!written)
        std::perror("tarvel_completion");
    return written ? 0 : 1;
}
