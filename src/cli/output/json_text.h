// Text written into JSON.
#pragma once

#include <string>
#include <string_view>

// `text` as a JSON string, always valid UTF-8: each byte that is not part of
// a UTF-8 sequence is written as U+FFFD, control characters as \u escapes.
std::string Json(std::string_view text);
