#include "core/render.h"

#include <charconv>

char* RenderFixed6(double value, char* out)
{
    // std::to_chars is locale-free and, with an explicit precision, yields the
    // same correctly rounded digits as glibc's printf, so the result never
    // depends on the user's locale or the platform's C runtime.
    return std::to_chars(out, out + kFixed6MaxLength, value, std::chars_format::fixed, 6).ptr;
}
