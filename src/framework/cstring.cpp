#include "framework/cstring.h"

#include "core/render.h"

#include <cstring>

namespace {

void AppendFixed6(std::string& out, double value)
{
    char buffer[kFixed6MaxLength];
    out.append(buffer, RenderFixed6(value, buffer));
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
