#include "device/port_names.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace {

// The number of a "COMn" name, or -1 for another name.
long ComNumber(std::string_view name)
{
    if (name.size() < 4 || name.size() > 8)
        return -1;
    for (std::size_t k = 0; k < 3; ++k)
        if (std::toupper(static_cast<unsigned char>(name[k])) != "COM"[k])
            return -1;
    long number = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

std::string WindowsPortPath(std::string_view name)
{
    if (ComNumber(name) < 0)
        return std::string(name);
    return "\\\\.\\" + std::string(name);
}

std::vector<std::string> SortedPortNames(std::vector<std::string> names)
{
    const auto key = [](const std::string& name) {
        const long number = ComNumber(name);
        return std::make_tuple(number < 0, number, std::string_view(name));
    };
    std::sort(names.begin(), names.end(),
              [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string ListedPortNames(const std::vector<std::string>& names)
{
    if (names.empty())
        return "none";
    std::string list = names.front();
    for (std::size_t k = 1; k < names.size(); ++k)
        list += (k + 1 == names.size() ? " and " : ", ") + names[k];
    return list;
}
