// Input shown back in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `text` as a message may show it: printable ASCII as it stands, '\\' and
// every other byte as an escape ("\t", "\r", "\x1b", "\xc3"), cut after
// `limit` characters of the input with "..." added. Never emits a control
// character.
std::string Printable(std::string_view text, std::size_t limit = 40);
