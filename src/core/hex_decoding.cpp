#include "converter_dlg.h"

#include <bit>
#include <cstdint>

namespace {

// Reverses the first sizeof(Bits) text bytes into the value bytes, then reads
// those as a little-endian pattern. Read by arithmetic, not by copying memory,
// so the result is the same on a host of either byte order.
template <class Bits> Bits ReverseIntoValueBytes(const BYTE* textBytes, BYTE* valueBytes)
{
    constexpr int size = sizeof(Bits);
    for (int k = 0; k < size; ++k)
        valueBytes[k] = textBytes[size - 1 - k];
    Bits bits = 0;
    for (int k = size - 1; k >= 0; --k)
        bits = static_cast<Bits>(bits << 8) | valueBytes[k];
    return bits;
}

} // namespace

void CConverterDlg::OnToFloat()
{
    ReadHexBytes();
    const auto bits = ReverseIntoValueBytes<std::uint32_t>(m_textBytes, m_valueBytes);
    const double value = std::bit_cast<float>(bits); // widening is exact
    m_valueText.Format("%f", value);
    UpdateData(FALSE);
}

void CConverterDlg::OnToDouble()
{
    ReadHexBytes();
    const auto bits = ReverseIntoValueBytes<std::uint64_t>(m_textBytes, m_valueBytes);
    m_valueText.Format("%f", std::bit_cast<double>(bits));
    UpdateData(FALSE);
}
