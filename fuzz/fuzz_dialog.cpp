// Random command sequences through the dialog's message map on the headless
// back end: typing into any field, the four buttons, OK and Cancel. The byte
// store is followed with the independent model. The input is a list of steps,
// each an action; typing then names the field and gives the text typed.
#include "fuzz/byte_provider.h"
#include "tests/dialog/converter_fixture.h"
#include "tests/hex_reader_model.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

enum Action { kType, kToFloat, kToDouble, kKpaToPsi, kKpaToMetres, kOk, kCancel };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int kFields[] = {IDC_HEX_TEXT, IDC_VALUE_TEXT, IDC_RESULT_TEXT};
    fuzz::ByteProvider input(data, size);
    Converter converter;
    model::Bytes bytes{};
    while (input.Remaining() > 0) {
        const int op = input.ConsumeIntegral<int>(kType, kCancel);
        switch (op) {
        case kType: {
            const int field = kFields[input.ConsumeIntegral<std::size_t>(0, 2)];
            converter.window.Type(field, CString(input.ConsumeString(255)));
            break;
        }
        case kToFloat:
        case kToDouble:
            converter.window.Click(op == kToFloat ? IDC_TO_FLOAT : IDC_TO_DOUBLE);
            model::ReadHex(converter.window.Text(IDC_HEX_TEXT).Bytes(), bytes);
            break;
        case kKpaToPsi:
            converter.window.Click(IDC_KPA_TO_PSI);
            break;
        case kKpaToMetres:
            converter.window.Click(IDC_KPA_TO_METRES);
            break;
        case kOk:
            converter.dlg.OnCmdMsg(IDOK, 0);
            break;
        default:
            converter.dlg.OnCmdMsg(IDCANCEL, 0);
        }
        for (std::size_t k = 0; k < 8; ++k)
            if (converter.dlg.m_textBytes[k] != bytes[k])
                std::abort();
    }
    return 0;
}
