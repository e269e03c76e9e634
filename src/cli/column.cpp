#include "cli/column.h"

#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "core/number_reader.h"
#include "core/pressure.h"
#include "core/render.h"

char* Column::Convert(std::string_view line, char* out)
{
    switch (m_conversion) {
    case Conversion::Float:
        ReadHexPairs(line, m_textBytes);
        return RenderFixed6(DecodeFloat(m_textBytes, m_valueBytes), out);
    case Conversion::Double:
        ReadHexPairs(line, m_textBytes);
        return RenderFixed6(DecodeDouble(m_textBytes, m_valueBytes), out);
    case Conversion::Psi:
        return RenderFixed6(KpaToPsi(ReadNumber(line.data())), out);
    case Conversion::Metres:
        return RenderFixed6(KpaToMetres(ReadNumber(line.data())), out);
    }
    return out;
}

