#include "cli/output/printable.h"

std::string Printable(std::string_view text, std::size_t limit)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (std::size_t k = 0; k < text.size() && k < limit; ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c == '\\') {
            shown += "\\\\";
        } else if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0x0F];
        }
    }
    if (text.size() > limit)
        shown += "...";
    return shown;
}
