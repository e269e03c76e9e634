#include "converter_dlg.h"

#include <bit>
#include <cstdint>

// The value bytes are read as little-endian by arithmetic, not by copying
// memory, so the result is the same on a host of either byte order.

void CConverterDlg::OnToFloat()
{
    ReadHexBytes();
    for (int k = 0; k < 4; ++k)
        m_valueBytes[k] = m_textBytes[3 - k];

    std::uint32_t bits = 0;
    for (int k = 3; k >= 0; --k)
        bits = (bits << 8) | m_valueBytes[k];
    const double value = std::bit_cast<float>(bits); // widening is exact

    m_valueText.Format("%f", value);
    UpdateData(FALSE);
}

void CConverterDlg::OnToDouble()
{
    ReadHexBytes();
    for (int k = 0; k < 8; ++k)
        m_valueBytes[k] = m_textBytes[7 - k];

    std::uint64_t bits = 0;
    for (int k = 7; k >= 0; --k)
        bits = (bits << 8) | m_valueBytes[k];

    m_valueText.Format("%f", std::bit_cast<double>(bits));
    UpdateData(FALSE);
}
