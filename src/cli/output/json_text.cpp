#include "cli/output/json_text.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence starting `text`, or 0 when it is not one
// (a stray or missing continuation, an overlong form, a surrogate, past U+10FFFF).
std::size_t Utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    if (length == 3 && ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0)))
        return 0;
    if (length == 4 && ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90)))
        return 0;
    return length;
}

} // namespace

std::string Json(std::string_view text)
{
    std::string quoted = "\"";
    for (std::size_t k = 0; k < text.size();) {
        const char c = text[k];
        const std::size_t length = Utf8Length(text.substr(k));
        if (length == 0) {
            quoted += "\\ufffd";
            ++k;
            continue;
        }
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted.append(text.substr(k, length));
        }
        k += length;
    }
    return quoted + "\"";
}
