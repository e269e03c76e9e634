// Windows' names for serial ports, as text: pure, so that every system's
// build tests them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The path Windows opens for the port `name`: "COM3" (any case, any number)
// becomes "\\.\COM3", since a bare name opens only COM1 to COM9; anything
// else ("\\.\COM12", a device path) is taken as it stands.
std::string WindowsPortPath(std::string_view name);

// `names` in the order people count ports: "COM2" before "COM10", then any
// other name alphabetically; duplicates dropped.
std::vector<std::string> SortedPortNames(std::vector<std::string> names);

// "COM1, COM3 and COM5", "COM4", or "none" for no names.
std::string ListedPortNames(const std::vector<std::string>& names);
