// The rendering of a value as a string, for comparing with expected texts.
#pragma once

#include "core/render.h"

#include <string>

inline std::string Fixed6(double value)
{
    char buffer[kFixed6MaxLength];
    return std::string(buffer, RenderFixed6(value, buffer));
}
