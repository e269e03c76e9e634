// Random command sequences through the dialog's message map on the headless
// back end: typing into any field, the four buttons, OK and Cancel. The byte
// store is followed with the independent model.
#include "tests/converter_fixture.h"
#include "tests/hex_reader_model.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int kFields[] = {IDC_HEX_TEXT, IDC_VALUE_TEXT, IDC_RESULT_TEXT};
    Converter converter;
    model::Bytes bytes{};
    std::size_t at = 0;
    while (at < size) {
        const std::uint8_t op = data[at++];
        switch (op % 9) {
        case 0:
        case 1:
        case 2: { // type: a length byte, then the text
            std::size_t length = 0;
            if (at < size) {
                length = data[at++];
                length = std::min(length, size - at);
            }
            converter.window.Type(
                kFields[op % 9],
                CString(std::string_view(reinterpret_cast<const char*>(data + at), length)));
            at += length;
            break;
        }
        case 3:
        case 4:
            converter.window.Click(op % 9 == 3 ? IDC_TO_FLOAT : IDC_TO_DOUBLE);
            model::ReadHex(converter.window.Text(IDC_HEX_TEXT).Bytes(), bytes);
            break;
        case 5:
            converter.window.Click(IDC_KPA_TO_PSI);
            break;
        case 6:
            converter.window.Click(IDC_KPA_TO_METRES);
            break;
        case 7:
            converter.dlg.OnCmdMsg(IDOK, 0);
            break;
        default:
            converter.dlg.OnCmdMsg(IDCANCEL, 0);
        }
        for (int k = 0; k < 8; ++k)
            if (converter.dlg.m_textBytes[k] != bytes[k])
                std::abort();
    }
    return 0;
}
