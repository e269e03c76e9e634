// The converter's four commands: pull, convert, push.
#include "core/converter_dlg.h"
#include "core/hex_pairs.h"
#include "core/ieee754.h"
#include "core/number_reader.h"
#include "core/pressure.h"

BYTE CConverterDlg::HexDigitValue(char ch)
{
    return ::HexDigitValue(ch);
}

void CConverterDlg::ReadHexBytes()
{
    UpdateData(TRUE);
    // The field's text is a C string: it ends at its first zero byte.
    const std::string_view text = m_hexText.Bytes();
    ReadHexPairs(text.substr(0, text.find('\0')), m_textBytes);
}

void CConverterDlg::OnToFloat()
{
    ReadHexBytes();
    m_valueText.Format("%f", DecodeFloat(m_textBytes, m_valueBytes));
    UpdateData(FALSE);
}

void CConverterDlg::OnToDouble()
{
    ReadHexBytes();
    m_valueText.Format("%f", DecodeDouble(m_textBytes, m_valueBytes));
    UpdateData(FALSE);
}

void CConverterDlg::OnKpaToPsi()
{
    UpdateData(TRUE);
    m_resultText.Format("%f", KpaToPsi(ReadNumber(m_valueText)));
    UpdateData(FALSE);
}

void CConverterDlg::OnKpaToMetres()
{
    UpdateData(TRUE);
    m_resultText.Format("%f", KpaToMetres(ReadNumber(m_valueText)));
    UpdateData(FALSE);
}
