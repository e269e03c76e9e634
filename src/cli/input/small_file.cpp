#include "cli/input/small_file.h"

#include "cli/output/printable.h"

#include <cerrno>
#include <cstring>

std::optional<std::string> ReadSmallFile(std::string_view path, const CliStreams& io,
                                         std::string& error)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : "'" + Printable(path) + "'";
    const int fd = standardInput ? io.in : OpenFile(std::string(path).c_str());
    if (fd < 0) {
        error = "cannot open " + name + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    char block[16384];
    std::ptrdiff_t got = 0;
    while ((got = ReadBytes(fd, block, sizeof block)) != 0) {
        if (got < 0 && errno == EINTR && (io.interrupted == nullptr || *io.interrupted == 0))
            continue;
        if (got < 0) {
            error = "cannot read " + name + ": " + std::strerror(errno);
            break;
        }
        text.append(block, static_cast<std::size_t>(got));
        if (text.size() > kMostSmallFile) {
            error = name + " is larger than " + std::to_string(kMostSmallFile >> 20) + " MiB";
            break;
        }
    }
    if (!standardInput)
        CloseFile(fd);
    if (!error.empty())
        return std::nullopt;
    return text;
}
