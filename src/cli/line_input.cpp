#include "cli/line_input.h"

#include <cstdlib>
#include <sys/types.h>

LineInput::~LineInput()
{
    std::free(m_buffer);
}

bool LineInput::Next(std::string_view& line)
{
    const ssize_t n = getline(&m_buffer, &m_capacity, m_stream);
    if (n < 0)
        return false;
    std::size_t length = static_cast<std::size_t>(n);
    if (length > 0 && m_buffer[length - 1] == '\n') {
        --length;
        if (length > 0 && m_buffer[length - 1] == '\r')
            --length;
    }
    line = std::string_view(m_buffer, length);
    return true;
}
