#include "cstring.h"

#include <charconv>
#include <cstring>

namespace {

// Longest "%f" text of a double: '-', 309 integer digits, '.', 6 decimals.
constexpr std::size_t kMaxFixedLength = 317;

// std::to_chars is locale-free and, with an explicit precision, yields the
// same correctly rounded digits as glibc's printf, so the result never
// depends on the user's locale or the platform's C runtime.
void AppendFixed6(std::string& out, double value)
{
    char buffer[kMaxFixedLength + 8];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

} // namespace

CString& CString::operator=(const char* psz)
{
    if (psz == nullptr)
        m_text.clear();
    else
        m_text.assign(psz);
    return *this;
}

void CString::Format(const char* format, double value)
{
    std::string out;
    for (const char* p = format; p != nullptr && *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'f') {
            AppendFixed6(out, value);
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out.push_back('%');
            ++p;
        } else {
            out.push_back(*p);
        }
    }
    m_text = std::move(out);
}
