#include "converter_dlg.h"

namespace {

// The C locale's isxdigit, for an unsigned 8-bit code: no byte of 0x80 or
// above is ever a digit, whatever the user's locale.
bool IsHexDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

BYTE CConverterDlg::HexDigitValue(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x39)
        return static_cast<BYTE>(c & 0x0F);
    return static_cast<BYTE>(static_cast<BYTE>(c + 9) & 0x0F);
}

void CConverterDlg::ReadHexBytes()
{
    UpdateData(TRUE);

    // The text is scanned in full, up to its terminating zero, with no copy
    // and no length limit: a text of any length is safe, and one whose eight
    // pairs start late (after long padding) still reads them. A pair may only
    // start where another character follows it (j < length - 1), tested as
    // "neither this nor the next byte ends the text", which cannot wrap for an
    // empty text and never reads past the terminator.
    const char* text = m_hexText;
    int i = 0;
    for (std::size_t j = 0; i < 8 && text[j] != '\0' && text[j + 1] != '\0';) {
        if (IsHexDigit(static_cast<unsigned char>(text[j]))) {
            m_textBytes[i++] =
                static_cast<BYTE>(16 * HexDigitValue(text[j]) + HexDigitValue(text[j + 1]));
            j += 2;
        } else {
            ++j;
        }
    }
}
